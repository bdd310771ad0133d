# Hexmoor: install what is missing, build, test, run, benchmark. The configurations themselves
# (test, release, windows, windows-release) are CMake presets (CMakePresets.json).
# What links the object files of every format in the tests: MSVC's kind (clang-cl, lld-link,
# llvm-readobj), 32-bit MinGW, AArch64 Linux under qemu, and 32-bit Linux (gcc -m32 from its
# libraries: gcc-multilib cannot be installed beside the AArch64 cross compiler).
OBJECT_CONSUMERS := clang-tools-19 lld-19 llvm-19 g++-mingw-w64-i686-posix gcc-aarch64-linux-gnu \
                    libc6-dev-arm64-cross qemu-user libc6-dev-i386 lib32gcc-12-dev
PACKAGES := cmake make g++ clang clang-format-14 libgtest-dev libgmock-dev libwxgtk3.2-dev xvfb xauth xdotool \
            imagemagick xxd procps time desktop-file-utils ccache clang-19 locales \
            g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 ninja-build meson dpkg-dev \
            $(OBJECT_CONSUMERS)
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
WINDOWS_RELEASE_DIR := build/windows-release
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"
# Rebuilds in another checkout of the same sources (a clean clone, a second work tree) come from
# the compiler cache: paths are hashed relative to the tree. CMake takes the launchers from the
# environment when it configures a build folder for the first time.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
ifneq ($(shell command -v ccache),)
export CMAKE_C_COMPILER_LAUNCHER := ccache
export CMAKE_CXX_COMPILER_LAUNCHER := ccache
endif

.PHONY: deps test format-check run bench build release clean wxmsw windows-build windows-test windows

# One look at the package database; apt-get only runs when something is missing.
deps:
	@installed=" $$(dpkg-query -W -f='$${Status} $${Package}\n' $(PACKAGES) 2>/dev/null | \
	    awk '$$3 == "installed" { printf "%s ", $$4 }')"; \
	missing=""; for p in $(PACKAGES); do \
	    case "$$installed" in *" $$p "*) ;; *) missing="$$missing $$p" ;; esac; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

# Configured on every run, so an older build folder gets the preset's options too.
build: deps
	cmake --preset test >/dev/null
	cmake --build --preset test -j $(JOBS)

# Every C and C++ file as the project's .clang-format lays it out (one pinned version, so the
# check means the same everywhere).
format-check: deps
	git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror

test: format-check build
	$(XVFB) ctest --preset test
	JOBS=$(JOBS) sh tests/install/ReadmeInstall.sh
	@$(MAKE) --no-print-directory windows-test

# The static wxMSW library: built once per wx version and flags (minutes; nothing when cached).
wxmsw: deps
	@nice -n 10 tools/build-wxmsw.sh >/dev/null

# The Windows window program links the static wxMSW that tools/build-wxmsw.sh keeps in a cache
# outside the tree (the windows presets read this).
windows-build windows: export HEXMOOR_WX_CONFIG = $(shell tools/build-wxmsw.sh --prefix)/bin/wx-config

# The Linux programs of the test build are the ones the Windows programs' output is compared
# with.
windows-build: deps wxmsw
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

# The window tests need a display, as on Linux.
windows-test: windows-build
	$(XVFB) ctest --preset windows

# dist/hexmoor-<version>-win64.zip: hexmoor.exe, hexmoor-cli.exe, the languages and a README.
windows: deps wxmsw
	cmake --preset windows-release >/dev/null
	cmake --build --preset windows-release -j $(JOBS)
	rm -rf $(WINDOWS_RELEASE_DIR)/package
	cpack --config $(WINDOWS_RELEASE_DIR)/CPackConfig.cmake -B $(WINDOWS_RELEASE_DIR)/package
	mkdir -p dist && cp $(WINDOWS_RELEASE_DIR)/package/*.zip dist/

release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# Opens the window from the repository root, so lang/ is found. Says so at once without a display.
run:
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
	$(error hexmoor: no display - set DISPLAY, or run under xvfb-run)
endif
	@$(MAKE) --no-print-directory release
	$(RELEASE_DIR)/hexmoor

bench: release
	cmake --build --preset release -j $(JOBS) --target hexmoor_window_bench
	bash bench/run.sh $(RELEASE_DIR)
	$(RELEASE_DIR)/hexmoor_window_bench
	bash bench/compile.sh $(RELEASE_DIR)

clean:
	rm -rf build dist

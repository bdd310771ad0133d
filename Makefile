# Hexmoor: install what is missing, build, test, run, benchmark.
PACKAGES := cmake make g++ clang libgtest-dev libgmock-dev libwxgtk3.2-dev xvfb xauth xdotool \
            imagemagick xxd procps time desktop-file-utils ccache clang-19 \
            g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 ninja-build meson dpkg-dev
JOBS ?= $(shell nproc)
TEST_DIR := build/test
RELEASE_DIR := build/release
# Windows programs, cross-built with MinGW-w64; the tests run under Wine. The window program
# links the static wxMSW that tools/build-wxmsw.sh keeps in a cache outside the tree.
WINDOWS_DIR := build/windows
WINDOWS_RELEASE_DIR := build/windows-release
WINDOWS_CMAKE = -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw64.cmake \
                -DwxWidgets_CONFIG_EXECUTABLE=$$(tools/build-wxmsw.sh --prefix)/bin/wx-config \
                -DHEXMOOR_GUI=ON $(LAUNCHER)
VERSION = $$(sed -n 's/^project(Hexmoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# Rebuilds in another checkout of the same sources (a clean clone, a second work tree) come from
# the compiler cache: paths are hashed relative to the tree.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
LAUNCHER = $$(command -v ccache >/dev/null && echo -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: deps test run bench build release clean wxmsw windows-build windows-test windows

deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

# Our own builds treat warnings as errors; the option is set on every run, so an older build
# folder gets it too.
build: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DHEXMOOR_SANITIZE=ON -DHEXMOOR_WERROR=ON \
	    -DHEXMOOR_TESTS=ON \
	    $(LAUNCHER) >/dev/null
	cmake --build $(TEST_DIR) -j $(JOBS)

SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test: build
	$(SANITIZER_ENV) xvfb-run -a -s "-screen 0 1280x1024x24" \
	    ctest --test-dir $(TEST_DIR) --output-on-failure
	JOBS=$(JOBS) sh tests/install/ReadmeInstall.sh
	@$(MAKE) --no-print-directory windows-test

# The static wxMSW library: built once per wx version and flags (minutes; nothing when cached).
wxmsw: deps
	@nice -n 10 tools/build-wxmsw.sh >/dev/null

# Optimised lightly (the tests run faster under Wine) with assertions kept. The Linux programs
# of the test build are the ones the Windows programs' output is compared with.
windows-build: deps wxmsw
	cmake -S . -B $(WINDOWS_DIR) $(WINDOWS_CMAKE) -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DHEXMOOR_WERROR=ON -DHEXMOOR_TESTS=ON \
	    -DHEXMOOR_HOST_CLI=$(CURDIR)/$(TEST_DIR)/hexmoor-cli \
	    -DHEXMOOR_HOST_GUI=$(CURDIR)/$(TEST_DIR)/hexmoor >/dev/null
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# The window tests need a display, as on Linux.
windows-test: windows-build
	$(SANITIZER_ENV) xvfb-run -a -s "-screen 0 1280x1024x24" \
	    ctest --test-dir $(WINDOWS_DIR) --output-on-failure

# dist/hexmoor-<version>-win64.zip: hexmoor.exe, hexmoor-cli.exe, the languages and a README.
$(WINDOWS_RELEASE_DIR)/build.ninja: | wxmsw
	cmake -S . -B $(WINDOWS_RELEASE_DIR) $(WINDOWS_CMAKE) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s

windows: deps wxmsw $(WINDOWS_RELEASE_DIR)/build.ninja
	cmake --build $(WINDOWS_RELEASE_DIR) -j $(JOBS)
	cmake -DBUILD_DIR=$(CURDIR)/$(WINDOWS_RELEASE_DIR) -DSOURCE_DIR=$(CURDIR) \
	    -DVERSION=$(VERSION) -DDIST_DIR=$(CURDIR)/dist -P cmake/WindowsPackage.cmake

$(RELEASE_DIR)/CMakeCache.txt:
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)

release: deps $(RELEASE_DIR)/CMakeCache.txt
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# Opens the window from the repository root, so lang/ is found. Says so at once without a display.
run:
ifeq ($(DISPLAY)$(WAYLAND_DISPLAY),)
	$(error hexmoor: no display - set DISPLAY, or run under xvfb-run)
endif
	@$(MAKE) --no-print-directory release
	$(RELEASE_DIR)/hexmoor

bench: release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target hexmoor_window_bench
	bash bench/run.sh $(RELEASE_DIR)
	$(RELEASE_DIR)/hexmoor_window_bench
	bash bench/compile.sh $(RELEASE_DIR)

clean:
	rm -rf build dist

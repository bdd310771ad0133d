# hexmoor_embed(): turn files into C/C++ arrays at build time with hexmoor-cli.
#
#   hexmoor_embed(<target> [FILES <file>...] [DIRECTORY <folder>... [HIDDEN]] [INDEX <name>]
#                 [NAMES <name>...] [OUTPUT_NAME <name>] [SEPARATE_FILES] [LANGUAGE C|CXX]
#                 [STYLE array|string|embed|incbin|object] [ALIGN <n>] [NULL_TERMINATE]
#                 [OPTIONS <hexmoor-cli option>...])
#
# Runs hexmoor-cli whenever an input (or the tool) changes, compiles the generated arrays into
# <target> and puts their folder on its include path, so `#include "arrays.h"` (or the header
# of OUTPUT_NAME, or <file>_<ext>.h per input with SEPARATE_FILES) declares them. The arrays are
# written "const" without "static" so the header's extern declarations reach them; OPTIONS come
# later and may change that or anything else. Empty files become a size of 0 with a placeholder
# element. SOURCE_DATE_EPOCH, when set at configure or build time, fixes the banners' date, so
# the generated text is reproducible. Inputs are relative to the current source folder.
# NAMES gives each of the FILES, in order, exactly that variable name (--name).
# LANGUAGE C writes .c sources (arrays.c without OUTPUT_NAME; an OUTPUT_NAME without extension
# gets .c); without LANGUAGE that is chosen where the project has C enabled but not C++.
# With --no-header among the OPTIONS nothing is compiled: include the generated source yourself.
#
# STYLE is how the bytes are written: `array` (0x41, 0x42, ... lines), `string` (string
# literals, many times faster to compile; MSVC gets array text from the same file), `embed`
# (an #embed line for compilers that have it, the string form for the others), `incbin` (the
# assembler copies each file into its array, for GCC and Clang; the others take the embed text
# from a second generated file, <source>.inc) or `object` (an object file per output that the
# target links as it is: nothing to compile; COFF for Windows, MSVC and MinGW alike, ELF for
# Linux, on x86-64, AArch64 and 32-bit x86). Without STYLE the fastest one the compiler of the
# generated sources handles is taken, tested once at configure time: object for MSVC (array
# where no object format fits its machine), incbin where an .incbin probe compiles and links,
# else embed when an #embed line compiles, string otherwise (the choice is kept in the cache as
# HEXMOOR_EMBED_STYLE_CXX or _C). The styles but array need a byte element type; name STYLE
# array only for another element type or the window's exact text. Defining HEXMOOR_FORCE_ARRAYS
# when compiling selects the array text, HEXMOOR_NO_EMBED the string form instead of #embed,
# HEXMOOR_NO_INCBIN the embed text instead of .incbin. The compiler's own dependency list misses
# the files .incbin and #embed read, so each generated source's object depends on the inputs
# here.
# ALIGN <n> aligns every array to n bytes (a power of two up to 4096); NULL_TERMINATE puts one
# zero after the bytes, not counted in the size variable.
#
# DIRECTORY embeds every regular file below each folder (names starting with "." only with
# HIDDEN), each named by its path below the folder: textures/stone.png gives
# g_textures_stone_png_array. INDEX <name> adds a table of every embedded file sorted by path,
# with `const struct <name>_entry* <name>_find(const char* path)` (null when absent) and
# <name>_count, declared in the header for C and C++; a folder's files are found by their path
# below it, FILES by the path as written. With Ninja the tool writes a dependency file naming
# every file and folder it read, so a file added to or removed from a folder reruns it; other
# generators list the folders and their files at configure time and look again at each build.
# DIRECTORY needs the one-source mode (not SEPARATE_FILES).

include_guard(GLOBAL)

function(_hexmoor_source_name name result)
    # The tool's extension rule: one found in ".cpp.c.cc.c++" stays, as does an include file's,
    # any other becomes .cpp.
    string(FIND "${name}" "." dot REVERSE)
    if(name MATCHES "\\.(h|hh|hpp|hxx|inc|ipp)$")
    elseif(dot EQUAL -1)
        set(name "${name}.cpp")
    else()
        string(SUBSTRING "${name}" ${dot} -1 extension)
        string(FIND ".cpp.c.cc.c++" "${extension}" known)
        if(known EQUAL -1)
            string(SUBSTRING "${name}" 0 ${dot} stem)
            set(name "${stem}.cpp")
        endif()
    endif()
    set(${result} "${name}" PARENT_SCOPE)
endfunction()

# The source name with its extension replaced: the header's, the object's.
function(_hexmoor_swap_extension source extension result)
    string(FIND "${source}" "." dot REVERSE)
    string(SUBSTRING "${source}" 0 ${dot} stem)
    set(${result} "${stem}${extension}" PARENT_SCOPE)
endfunction()

# The object format of the target's platform, empty where the tool writes none.
function(_hexmoor_object_format language result)
    set(machine "${CMAKE_${language}_COMPILER_ARCHITECTURE_ID}") # MSVC: x64, X86, ARM64
    if(NOT machine)
        set(machine "${CMAKE_SYSTEM_PROCESSOR}")
    endif()
    string(TOLOWER "${machine}" machine)
    set(format "")
    if(machine MATCHES "^(x64|x86_64|amd64)$" AND CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(format x86-64)
    elseif(machine MATCHES "^(x64|x86_64|amd64|x86|i[3-6]86)$")
        set(format i386)
    elseif(machine MATCHES "^(arm64|aarch64)$")
        set(format arm64)
    endif()
    if(format AND WIN32)
        set(format coff-${format})
    elseif(format AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
        string(REPLACE arm64 aarch64 format "${format}")
        set(format elf-${format})
    else()
        set(format "")
    endif()
    set(${result} "${format}" PARENT_SCOPE)
endfunction()

# The files hexmoor-cli writes for the inputs NAMES (their file names), named as the tool names
# them: <mode> gets the arguments that choose them, <sources> the sources and <outputs> every
# file, each source followed by its header unless NO_HEADER and, with INCBIN (the style), by its
# fallback file <source>.inc, in the tool's order. With SEPARATE_FILES each input has its own
# source (logo.png gives logo_png.cpp), and INDEX puts the table into a source of its own named
# OUTPUT_NAME. Without OUTPUT_NAME the tool's own default. OBJECT <format> writes each source's
# object (.obj for COFF, .o for ELF) in its place, but for the table's own source; in one
# source, the table's source follows the object and its header.
function(_hexmoor_outputs mode sources outputs)
    cmake_parse_arguments(PARSE_ARGV 3 arg "SEPARATE_FILES;INDEX;NO_HEADER;INCBIN"
                          "OUTPUT_NAME;OBJECT"
                          "NAMES")
    set(chosen "")
    set(files "")
    set(main arrays.cpp)
    if(NOT "${arg_OUTPUT_NAME}" STREQUAL "")
        _hexmoor_source_name("${arg_OUTPUT_NAME}" main)
        list(APPEND chosen -n "${main}")
    endif()
    if(arg_SEPARATE_FILES)
        # Each input's own source takes the extension of the main one.
        string(FIND "${main}" "." dot REVERSE)
        string(SUBSTRING "${main}" ${dot} -1 extension)
        foreach(name IN LISTS arg_NAMES)
            string(REPLACE "." "_" stem "${name}")
            list(APPEND files "${stem}${extension}")
        endforeach()
        list(APPEND chosen --separate-files)
    endif()
    if(NOT arg_SEPARATE_FILES OR arg_INDEX)
        list(APPEND files "${main}")
    endif()
    if(main MATCHES "\\.(h|hh|hpp|hxx|inc|ipp)$")
        # An include file, written as named, has no header beside it.
        set(arg_NO_HEADER TRUE)
    endif()
    set(objectExtension .o)
    if(arg_OBJECT MATCHES "^coff")
        set(objectExtension .obj)
    endif()
    list(LENGTH files count)
    set(position 0)
    set(written "")
    foreach(source IN LISTS files)
        math(EXPR position "${position} + 1")
        set(table FALSE)
        if(arg_SEPARATE_FILES AND arg_INDEX AND position EQUAL count)
            set(table TRUE)
        endif()
        if(arg_OBJECT AND NOT table)
            _hexmoor_swap_extension("${source}" ${objectExtension} object)
            list(APPEND written "${object}")
        else()
            list(APPEND written "${source}")
        endif()
        if(NOT arg_NO_HEADER)
            _hexmoor_swap_extension("${source}" .h header)
            list(APPEND written "${header}")
        endif()
        if(arg_OBJECT AND arg_INDEX AND NOT arg_SEPARATE_FILES)
            list(APPEND written "${source}")
        endif()
        if(arg_INCBIN)
            list(APPEND written "${source}.inc")
        endif()
    endforeach()
    set(${mode} "${chosen}" PARENT_SCOPE)
    set(${sources} "${files}" PARENT_SCOPE)
    set(${outputs} "${written}" PARENT_SCOPE)
endfunction()

# The fastest style the compiler of the language handles; tested once per build tree.
function(_hexmoor_default_style language result)
    if(DEFINED HEXMOOR_EMBED_STYLE_${language})
        set(${result} "${HEXMOOR_EMBED_STYLE_${language}}" PARENT_SCOPE)
        return()
    endif()
    set(style string)
    if(CMAKE_${language}_COMPILER_ID STREQUAL "MSVC")
        # MSVC compiles big arrays slowly and refuses long literals: it gets the bytes linked.
        _hexmoor_object_format(${language} format)
        set(style array)
        if(format)
            set(style object)
        endif()
    elseif(CMAKE_${language}_COMPILER_LOADED)
        set(probe "${CMAKE_BINARY_DIR}/CMakeFiles/hexmoor_embed_probe.bin")
        file(WRITE "${probe}" "ok")
        include(CheckSourceCompiles)
        check_source_compiles(${language} "
#define HEXMOOR_TEXT(x) #x
#define HEXMOOR_STRING(x) HEXMOOR_TEXT(x)
__asm__(\".data\\n\" HEXMOOR_STRING(__USER_LABEL_PREFIX__) \"probe:\\n.incbin \\\"${probe}\\\"\\n.text\\n\");
#ifdef __cplusplus
extern \"C\" {
#endif
extern const unsigned char probe[2];
#ifdef __cplusplus
}
#endif
int main(void) { return probe[0] == 'o' ? 0 : 1; }
" HEXMOOR_COMPILES_INCBIN_${language})
        check_source_compiles(${language} "
static const unsigned char probe[] = {
#embed \"${probe}\"
};
int main(void) { return probe[0] == 'o' ? 0 : 1; }
" HEXMOOR_COMPILES_EMBED_${language})
        if(HEXMOOR_COMPILES_INCBIN_${language})
            set(style incbin)
        elseif(HEXMOOR_COMPILES_EMBED_${language})
            set(style embed)
        endif()
    endif()
    set(HEXMOOR_EMBED_STYLE_${language} ${style} CACHE INTERNAL
        "Byte style of hexmoor_embed() without STYLE for ${language} sources")
    set(${result} ${style} PARENT_SCOPE)
endfunction()

function(hexmoor_embed target)
    cmake_parse_arguments(PARSE_ARGV 1 HX "SEPARATE_FILES;NULL_TERMINATE;HIDDEN"
                          "OUTPUT_NAME;STYLE;ALIGN;INDEX;LANGUAGE" "FILES;DIRECTORY;OPTIONS;NAMES")
    if(NOT HX_FILES AND NOT HX_DIRECTORY)
        message(FATAL_ERROR "hexmoor_embed(${target}): no FILES or DIRECTORY given")
    endif()
    list(LENGTH HX_FILES fileCount)
    list(LENGTH HX_NAMES nameCount)
    if(HX_NAMES AND NOT fileCount EQUAL nameCount)
        message(FATAL_ERROR "hexmoor_embed(${target}): NAMES gives ${nameCount} names for "
                            "${fileCount} FILES")
    endif()
    # The sources are C where asked, or where the project has C but not C++.
    get_property(enabled GLOBAL PROPERTY ENABLED_LANGUAGES)
    if(NOT HX_LANGUAGE)
        set(HX_LANGUAGE CXX)
        if("C" IN_LIST enabled AND NOT "CXX" IN_LIST enabled)
            set(HX_LANGUAGE C)
        endif()
    elseif(NOT HX_LANGUAGE MATCHES "^(C|CXX)$")
        message(FATAL_ERROR "hexmoor_embed(${target}): LANGUAGE is C or CXX, not ${HX_LANGUAGE}")
    endif()
    if(HX_LANGUAGE STREQUAL "C" AND NOT DEFINED HX_OUTPUT_NAME)
        set(HX_OUTPUT_NAME arrays.c)
    elseif(HX_LANGUAGE STREQUAL "C" AND NOT HX_OUTPUT_NAME MATCHES "\\.")
        string(APPEND HX_OUTPUT_NAME .c)
    endif()
    set(named "")
    foreach(name IN LISTS HX_NAMES)
        list(APPEND named --name "${name}")
    endforeach()
    if(HX_DIRECTORY AND HX_SEPARATE_FILES)
        message(FATAL_ERROR "hexmoor_embed(${target}): DIRECTORY needs one source, not "
                            "SEPARATE_FILES: the sources must be known when the build is made")
    endif()
    if(TARGET Hexmoor::hexmoor-cli)
        set(tool Hexmoor::hexmoor-cli)
    else()
        message(FATAL_ERROR "hexmoor_embed: hexmoor-cli not found (find_package(Hexmoor) or "
                            "add_subdirectory of the Hexmoor sources first)")
    endif()
    set(folder "${CMAKE_CURRENT_BINARY_DIR}/hexmoor_embed/${target}")
    file(MAKE_DIRECTORY "${folder}")
    list(FIND HX_OPTIONS "--no-header" noHeader)

    # The tool runs in the current source folder and gets the inputs as written, so the table
    # finds FILES by the paths written here; the build system gets absolute paths.
    set(inputs "")
    set(names "")
    foreach(file IN LISTS HX_FILES)
        get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        list(APPEND inputs "${path}")
        get_filename_component(name "${path}" NAME)
        list(APPEND names "${name}")
    endforeach()
    set(walk "")
    foreach(directory IN LISTS HX_DIRECTORY)
        list(APPEND names "${directory}/")
    endforeach()
    if(HX_DIRECTORY)
        set(walk -r)
        if(HX_HIDDEN)
            list(APPEND walk --hidden)
        endif()
    endif()
    if(HX_INDEX)
        list(APPEND walk --index "${HX_INDEX}")
    endif()

    set(shape NAMES ${names})
    if(HX_SEPARATE_FILES)
        list(APPEND shape SEPARATE_FILES)
    endif()
    if(HX_INDEX)
        list(APPEND shape INDEX)
    endif()
    if(NOT noHeader EQUAL -1)
        list(APPEND shape NO_HEADER)
    endif()
    if(DEFINED HX_OUTPUT_NAME)
        list(APPEND shape OUTPUT_NAME "${HX_OUTPUT_NAME}")
    endif()
    _hexmoor_outputs(mode sources outputs ${shape})

    set(language CXX)
    list(GET sources 0 first)
    if(first MATCHES "\\.c$")
        set(language C)
    endif()
    if(NOT HX_STYLE)
        _hexmoor_default_style(${language} HX_STYLE)
        # Every unit that includes an include file would define the assembler's symbols again.
        if(HX_STYLE STREQUAL "incbin" AND first MATCHES "\\.(h|hh|hpp|hxx|inc|ipp)$")
            set(HX_STYLE string)
            if(HEXMOOR_COMPILES_EMBED_${language})
                set(HX_STYLE embed)
            endif()
        endif()
    elseif(NOT HX_STYLE MATCHES "^(array|string|embed|incbin|object)$")
        message(FATAL_ERROR "hexmoor_embed(${target}): STYLE is array, string, embed, incbin or "
                            "object, not ${HX_STYLE}")
    endif()
    set(format "")
    if(HX_STYLE STREQUAL "object")
        _hexmoor_object_format(${language} format)
        if(NOT format)
            message(FATAL_ERROR "hexmoor_embed(${target}): STYLE object knows no object format "
                                "for ${CMAKE_SYSTEM_NAME} on ${CMAKE_SYSTEM_PROCESSOR}")
        endif()
        set(style --object ${format})
    else()
        set(style --style ${HX_STYLE})
    endif()
    if(DEFINED HX_ALIGN)
        list(APPEND style --align ${HX_ALIGN})
    endif()
    if(HX_NULL_TERMINATE)
        list(APPEND style --null-terminate)
    endif()

    # Objects stand in for the arrays' sources; the lookup table's source stays a source.
    if(format)
        _hexmoor_outputs(mode sources outputs ${shape} OBJECT ${format})
    elseif(HX_STYLE STREQUAL "incbin")
        # Each source has its fallback text (for compilers without .incbin) in a file of its own.
        _hexmoor_outputs(mode sources outputs ${shape} INCBIN)
    endif()
    list(TRANSFORM outputs PREPEND "${folder}/")
    set(objects ${outputs})
    list(FILTER objects INCLUDE REGEX "\\.(o|obj)$")
    list(FILTER outputs EXCLUDE REGEX "\\.(o|obj)$")
    set(compiled ${sources})
    list(TRANSFORM compiled PREPEND "${folder}/")
    set(fallbacks ${outputs})
    list(FILTER fallbacks INCLUDE REGEX "\\.inc$")

    # Ninja reads the tool's dependency file. Other generators get the folders and their files
    # as found now, looked at again before each build: the Makefiles generator (CMake 3.25) keeps every
    # file a dependency file ever named, so a removed file would rerun the tool at every build.
    set(depfile "")
    if(HX_DIRECTORY)
        if(CMAKE_GENERATOR MATCHES "Ninja")
            list(GET sources 0 source)
            set(depfile "${folder}/${source}.d")
            list(APPEND walk --depfile "${depfile}")
            set(depfile DEPFILE "${depfile}")
        else()
            foreach(directory IN LISTS HX_DIRECTORY)
                get_filename_component(path "${directory}" ABSOLUTE
                                       BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
                # The folders too: a removed file only changes the folder that held it.
                file(GLOB_RECURSE found CONFIGURE_DEPENDS LIST_DIRECTORIES true "${path}/*")
                list(APPEND inputs "${path}")
                foreach(file IN LISTS found)
                    file(RELATIVE_PATH below "${path}" "${file}")
                    if(HX_HIDDEN OR NOT below MATCHES "(^|/)\\.")
                        list(APPEND inputs "${file}")
                    endif()
                endforeach()
            endforeach()
        endif()
    endif()

    list(JOIN names ", " shown)
    set(environment "")
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(environment ${CMAKE_COMMAND} -E env "SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}")
    endif()
    add_custom_command(
        OUTPUT ${outputs} ${objects}
        COMMAND ${environment} $<TARGET_FILE:${tool}> -q --empty-arrays
                --array-qualifiers 2 --size-qualifiers 2 ${style} ${mode} -o "${folder}" ${walk}
                ${HX_OPTIONS} ${named} -- ${HX_FILES} ${HX_DIRECTORY}
        DEPENDS ${inputs} ${tool}
        ${depfile}
        WORKING_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
        COMMENT "Embedding ${shown} into ${target}"
        VERBATIM)

    # A C++ source written with const arrays includes its own header, so its definitions get the
    # header's external linkage; the sources are compiled as they are. Without a header nothing is
    # compiled (the caller includes the source).
    set_source_files_properties(${outputs} ${objects} PROPERTIES GENERATED TRUE)
    # A changed input changes the fallback text (it holds the bytes), also for a folder's files
    # that only Ninja's dependency file names.
    set_source_files_properties(${compiled} PROPERTIES OBJECT_DEPENDS "${inputs};${fallbacks}")
    if(NOT noHeader EQUAL -1)
        set_source_files_properties(${outputs} PROPERTIES HEADER_FILE_ONLY TRUE)
    endif()
    if(objects)
        set_source_files_properties(${objects} PROPERTIES EXTERNAL_OBJECT TRUE)
    endif()
    target_sources(${target} PRIVATE ${outputs} ${objects})
    target_include_directories(${target} PRIVATE "${folder}")
endfunction()

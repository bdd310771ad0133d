// The run's plan: outputs that are inputs, clashing names and outputs, names no identifier can be.
#include "converter/RunPlan.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnConversionOptions;
using Zenlo::ZnFailureKind;
using Zenlo::ZnInputFailure;

using testfiles::TestFolder;
using testfiles::writeFile;
using Zenlo::WideString;

using testfiles::narrow;

namespace {

const char* kindName(ZnFailureKind kind) {
    switch (kind) {
    case ZnFailureKind::InputIsOutput:
        return "is-output";
    case ZnFailureKind::NameClash:
        return "name-clash";
    case ZnFailureKind::OutputClash:
        return "output-clash";
    case ZnFailureKind::InvalidName:
        return "invalid-name";
    case ZnFailureKind::OutputAlias:
        return "alias";
    case ZnFailureKind::OutputInInputFolder:
        return "in-folder";
    case ZnFailureKind::DependencyName:
        return "depfile-name";
    default:
        return "other";
    }
}

// A problem as one line: kind, the input, the other input and the clashing name or output,
// with the test folder's path left out.
std::string describe(const ZnInputFailure& f, const std::string& base) {
    auto local = [&](const WideString& path) {
        std::string text = narrow(path);
        return text.rfind(base, 0) == 0 ? text.substr(base.size()) : text;
    };
    std::string line = std::string(kindName(f.kind)) + " " + local(f.path);
    if (!f.otherPath.isEmpty()) line += " ~ " + local(f.otherPath);
    if (!f.name.isEmpty()) line += " [" + local(f.name) + "]";
    if (f.kind == ZnFailureKind::InputIsOutput) line += " = " + local(f.outputPath);
    return line;
}

} // namespace

TEST(RunPlan, ProblemsAreFoundBeforeWriting) {
    // A symbolic link is one of the ways an input can be an output (the command-line tests
    // check the others on Windows).
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    TestFolder temp;
    const std::string base = temp.path().string() + "/";
    std::filesystem::create_directories(temp / "out");
    std::filesystem::create_directories(temp / "d1");
    std::filesystem::create_directories(temp / "d2");
    for (const char* name : {"a.bin", "a_bin", "A.bin", "x", "x_size", "out/arrays.cpp",
                             "out/arrays.h", "out/data_bin.cpp", "d1/x.bin", "d2/x.bin", "1.bin"})
        writeFile(temp / name, "data");
    std::filesystem::create_symlink(temp / "out" / "arrays.cpp", temp / "link.cpp");
    std::filesystem::create_hard_link(temp / "out" / "arrays.h", temp / "hard.h");
    std::filesystem::create_directories(temp / "alias");
    std::filesystem::create_symlink("arrays.cpp", temp / "alias" / "arrays.h");

    struct Case {
        const char* what;
        std::vector<const char*> inputs;
        bool separate, header;
        const char16_t *prefix, *suffix;
        std::vector<std::string> want;
        const char* depFile = nullptr;
        const char* walked = nullptr;
        const char* outputFolder = "out/";
        std::uint8_t arrayQualifiers = 3;
        const char* index = "";
    };
    const Case cases[] = {
        {"distinct inputs", {"a.bin", "x", "d1/x.bin"}, false, true, u"g_", u"_array", {}},
        {"the source as input, by path and spelled otherwise",
         {"out/arrays.cpp", "out/../out/./arrays.cpp"},
         false,
         true,
         u"g_",
         u"_array",
         {"is-output out/arrays.cpp = out/arrays.cpp",
          "is-output out/../out/./arrays.cpp = out/arrays.cpp",
          "name-clash out/../out/./arrays.cpp ~ out/arrays.cpp [g_arrays_cpp_array]"}},
        {"the source through a link, the header through a hard link",
         {"link.cpp", "hard.h"},
         false,
         true,
         u"g_",
         u"_array",
         {"is-output link.cpp = out/arrays.cpp", "is-output hard.h = out/arrays.h"}},
        {"without a header the old header is an ordinary input",
         {"out/arrays.h"},
         false,
         false,
         u"g_",
         u"_array",
         {}},
        {"separate files: another input's output",
         {"data.bin", "out/data_bin.cpp"},
         true,
         true,
         u"g_",
         u"_array",
         {"is-output out/data_bin.cpp = out/data_bin.cpp"}},
        {"the same file twice",
         {"a.bin", "a.bin"},
         false,
         true,
         u"g_",
         u"_array",
         {"name-clash a.bin ~ a.bin [g_a_bin_array]"}},
        {"names that map to one identifier",
         {"a.bin", "a_bin", "A.bin"},
         false,
         true,
         u"g_",
         u"_array",
         {"name-clash a_bin ~ a.bin [g_a_bin_array]", "name-clash A.bin ~ a.bin [g_a_bin_array]"}},
        {"a size variable's name",
         {"x", "x_size"},
         false,
         true,
         u"g_",
         u"",
         {"name-clash x_size ~ x [g_x_size]"}},
        {"no size variable, no size clash", {"x", "x_size"}, false, false, u"g_", u"", {}},
        {"separate files: one output name",
         {"d1/x.bin", "d2/x.bin", "a.bin", "a_bin"},
         true,
         true,
         u"g_",
         u"_array",
         {"output-clash d2/x.bin ~ d1/x.bin [x_bin.cpp]",
          "output-clash a_bin ~ a.bin [a_bin.cpp]"}},
        {"separate files: the same name in two outputs is allowed",
         {"a.bin", "A.bin"},
         true,
         true,
         u"g_",
         u"_array",
         {}},
        {"a name starting with a digit",
         {"1.bin", "a.bin"},
         false,
         true,
         u"",
         u"_array",
         {"invalid-name 1.bin [1_bin_array]"}},
        {"an empty name", {"d1/"}, false, true, u"", u"", {"invalid-name d1/"}},
        {"a header that links to the source, which is not there yet",
         {"a.bin"},
         false,
         true,
         u"g_",
         u"",
         {"alias alias/arrays.h ~ alias/arrays.cpp"},
         nullptr,
         nullptr,
         "alias/"},
        {"the dependency file as an input",
         {"a.bin"},
         false,
         true,
         u"g_",
         u"",
         {"is-output a.bin = a.bin"},
         "a.bin"},
        {"the dependency file as the source",
         {"a.bin"},
         false,
         true,
         u"g_",
         u"",
         {"alias out/arrays.cpp ~ out/arrays.cpp"},
         "out/arrays.cpp"},
        {"the dependency file in a walked folder",
         {"d1/x.bin"},
         false,
         true,
         u"g_",
         u"",
         {"in-folder d1/sub/../x.d ~ d1"},
         "d1/sub/../x.d",
         "d1"},
        {"the dependency file's folder missing",
         {"a.bin"},
         false,
         true,
         u"g_",
         u"",
         {"other none/x.d"},
         "none/x.d"},
        {"a path the dependency file cannot name",
         {"50%.bin"},
         false,
         true,
         u"g_",
         u"",
         {"depfile-name x.d [50%.bin]"},
         "x.d"},
        {"the dependency file in the output folder, which the run makes",
         {"a.bin"},
         false,
         true,
         u"g_",
         u"",
         {},
         "new/x.d",
         nullptr,
         "new/"},
        {"separate files: arrays with external linkage meet",
         {"a-b.bin", "a+b.bin"},
         true,
         true,
         u"g_",
         u"_array",
         {"name-clash a+b.bin ~ a-b.bin [g_a_b_bin_array]"},
         nullptr,
         nullptr,
         "out/",
         2},
        {"separate files: so do those a lookup table names",
         {"a-b.bin", "a+b.bin", "t_find"},
         true,
         true,
         u"",
         u"",
         {"name-clash a+b.bin ~ a-b.bin [a_b_bin]", "name-clash t_find [t_find]"},
         nullptr,
         nullptr,
         "out/",
         3,
         "t"},
        {"names composed alike are one name",
         {"e\xcc\x81.bin", "\xc3\xa9.bin"},
         false,
         true,
         u"g_",
         u"",
         {"name-clash \xc3\xa9.bin ~ e\xcc\x81.bin [g_\xc3\xa9_bin]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Zenlo::ZnRunRequest request{.outputFolder = Zenlo::fromUtf8(base + c.outputFolder),
                                    .outputFileName = u"arrays.cpp",
                                    .separateFiles = c.separate,
                                    .writeHeader = c.header};
        for (const char* name : c.inputs)
            request.inputs.push_back({Zenlo::fromUtf8(base + name)});
        if (c.depFile) request.dependencies.path = Zenlo::fromUtf8(base + c.depFile);
        if (c.walked) request.dependencies.folders.push_back(Zenlo::fromUtf8(base + c.walked));
        ZnConversionOptions options;
        options.namePrefix = c.prefix;
        options.nameSuffix = c.suffix;
        options.writeSizeVariable = c.header ? 1 : 0;
        options.arrayQualifiers = options.sizeQualifiers = c.arrayQualifiers;
        request.indexName = c.index;
        const Zenlo::RunPlan plan = Zenlo::planRun(request, options);
        std::vector<std::string> got;
        for (const ZnInputFailure& problem : plan.problems)
            got.push_back(describe(problem, base));
        EXPECT_EQ(got, c.want);
        ASSERT_EQ(plan.inputs.size(), c.inputs.size());
    }
}

// The outputs and variables of a run. Inputs found below a folder are named by their path there;
// a lookup table adds its own output in separate-files mode and wants one path per input.
TEST(RunPlan, OutputsNamesAndTheLookupTable) {
    const struct {
        const char* what;
        std::vector<std::pair<const char16_t*, const char16_t*>> inputs; // path, folder name
        bool separate, header;
        bool ignoreCase; // the output folder's rule for names (the test hook)
        std::vector<std::string> outputs;
        std::vector<std::string> variables;
        std::vector<std::string> problems;
        Zenlo::ByteStyle style = Zenlo::ByteStyle::Array;
        Zenlo::ObjectFormat object = Zenlo::ObjectFormat::None;
    } cases[] = {
        {"one output",
         {{u"/in/t/s.png", u"t/s.png"}, {u"/x/s.png", u""}},
         false,
         true,
         false,
         {"all.c", "all.h"},
         {"g_t_s_png_array", "g_s_png_array"},
         {}},
        {"separate files and the table's own source",
         {{u"/in/t/s.png", u"t/s.png"}, {u"/in/u/s.png", u"u/s.png"}},
         true,
         true,
         false,
         {"t_s_png.cpp", "t_s_png.h", "u_s_png.cpp", "u_s_png.h", "all.c", "all.h"},
         {"g_t_s_png_array", "g_u_s_png_array"},
         {}},
        {"a file given by itself and one found below a folder, found by one path",
         {{u"t/s.png", u""}, {u"/in/t/s.png", u"t/s.png"}},
         false,
         true,
         false,
         {"all.c", "all.h"},
         {"g_s_png_array", "g_t_s_png_array"},
         {"other /in/t/s.png ~ t/s.png [t/s.png]"}},
        {"an input whose header is the table's (all.cpp and all.c share all.h)",
         {{u"/in/all", u"all"}},
         true,
         true,
         false,
         {"all.cpp", "all.h", "all.c"},
         {"g_all_array"},
         {"other /in/all"}},
        {"separate files without headers",
         {{u"/in/a.b.bin", u""}, {u"/in/c", u""}},
         true,
         false,
         false,
         {"a_b_bin.cpp", "c.cpp", "all.c"},
         {"g_a_b_bin_array", "g_c_array"},
         {}},
        {"incbin: each source with its fallback file",
         {{u"/in/a.b.bin", u""}, {u"/in/c", u""}},
         true,
         false,
         false,
         {"a_b_bin.cpp", "a_b_bin.cpp.inc", "c.cpp", "c.cpp.inc", "all.c", "all.c.inc"},
         {"g_a_b_bin_array", "g_c_array"},
         {},
         Zenlo::ByteStyle::Incbin},
        {"objects in place of sources, which no style gives fallback files",
         {{u"/in/a.b.bin", u""}, {u"/in/c", u""}},
         true,
         true,
         false,
         {"a_b_bin.o", "a_b_bin.h", "c.o", "c.h", "all.c", "all.h"},
         {"g_a_b_bin_array", "g_c_array"},
         {},
         Zenlo::ByteStyle::Incbin,
         Zenlo::ObjectFormat::ElfX86_64},
        {"separate files: names that differ by case alone, where the folder ignores case",
         {{u"/d1/A.bin", u""}, {u"/d2/a.bin", u""}},
         true,
         false,
         true,
         {"A_bin.cpp", "a_bin.cpp", "all.c"},
         {"g_a_bin_array", "g_a_bin_array"},
         {"output-clash /d2/a.bin ~ /d1/A.bin [a_bin.cpp]"}},
        {"an input whose header is the table's, by case alone",
         {{u"/in/ALL", u"ALL"}},
         true,
         true,
         true,
         {"ALL.cpp", "ALL.h", "all.c", "all.h"},
         {"g_all_array"},
         {"other /in/ALL"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Zenlo::ZnRunRequest request{.outputFolder = u"/o/",
                                    .outputFileName = u"all.c",
                                    .separateFiles = c.separate,
                                    .writeHeader = c.header,
                                    .indexName = "table",
                                    .byteStyle = {.style = c.style},
                                    .object = {.format = c.object},
                                    .outputNamesIgnoreCase = c.ignoreCase};
        for (const auto& [path, name] : c.inputs)
            request.inputs.push_back({testfiles::nativePath(path), name});
        const Zenlo::RunPlan plan = Zenlo::planRun(request, ZnConversionOptions());
        std::vector<std::string> outputs, variables, problems;
        for (const WideString& name : plan.outputNames)
            outputs.push_back(narrow(name));
        for (const Zenlo::PlannedInput& input : plan.inputs)
            variables.push_back(narrow(input.variable));
        for (const ZnInputFailure& problem : plan.problems) {
            std::string line = describe(problem, "");
            std::replace(line.begin(), line.end(), '\\', '/');
            problems.push_back(line);
        }
        EXPECT_EQ(outputs, c.outputs);
        EXPECT_EQ(variables, c.variables);
        EXPECT_EQ(problems, c.problems);
    }
}

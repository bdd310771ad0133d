// Checks that every embedded array and size variable equals its file, read at run time, and that
// the lookup table finds every file below data/ by its path (and nothing else).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "aligned.h"
#include "as_array.h"
#include "as_embed.h"
#include "as_incbin.h"
#include "as_object.h"
#include "as_string.h"
#include "assets.h"
#include "blob_bin.h"
#include "folder.h"
#include "named.h"

namespace {

int failures = 0;

void check(const char* file, const uint8_t* array, uintmax_t size) {
    std::ifstream in(std::string(EMBED_DATA_DIR) + file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || size != bytes.size() ||
        std::memcmp(array, bytes.data(), bytes.size()) != 0) {
        std::printf("%s: the embedded copy differs (%ju bytes embedded, %zu in the file)\n", file,
                    size, bytes.size());
        ++failures;
    }
}

// An array for SIMD loads or C string use: aligned, and one zero after its bytes.
void checkAlignedText(const char* file, const uint8_t* array, uintmax_t size) {
    check(file, array, size);
    if (reinterpret_cast<std::uintptr_t>(array) % 64 != 0 || array[size] != 0) {
        std::printf("%s: not aligned to 64 bytes or not terminated\n", file);
        ++failures;
    }
}

// Every file below data/ that is not hidden is in the table, and the table holds nothing else.
void checkFolder() {
    namespace fs = std::filesystem;
    uintmax_t files = 0;
    const fs::path data(EMBED_DATA_DIR);
    for (auto it = fs::recursive_directory_iterator(data); it != fs::end(it); ++it) {
        if (it->path().filename().string()[0] == '.') {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file()) continue;
        ++files;
        const std::string name = it->path().lexically_relative(data).generic_string();
        const files_entry* entry = files_find(name.c_str());
        if (!entry) {
            std::printf("%s: not in the table\n", name.c_str());
            ++failures;
            continue;
        }
        check(entry->path, entry->data, entry->size);
    }
    if (files != files_count || files_find("missing.txt") || files_find(".hidden")) {
        std::printf("the table holds %ju files, the folder %ju\n", files_count, files);
        ++failures;
    }
}

} // namespace

int main() {
    checkFolder();
    check("empty.bin", g_empty_bin_array, g_empty_bin_array_size);
    check("blob.bin", g_blob_bin_array, g_blob_bin_array_size);
    check("Grüße.txt", g_grüße_txt_array, g_grüße_txt_array_size);
    check("blob.bin", s_blob_bin_array, s_blob_bin_array_size);
    checkAlignedText("blob.bin", a_blob_bin_array, a_blob_bin_array_size);
    checkAlignedText("Grüße.txt", a_grüße_txt_array, a_grüße_txt_array_size);
    check("blob.bin", array_blob_bin_array, array_blob_bin_array_size);
    check("blob.bin", string_blob_bin_array, string_blob_bin_array_size);
    check("blob.bin", embed_blob_bin_array, embed_blob_bin_array_size);
    check("empty.bin", embed_empty_bin_array, embed_empty_bin_array_size);
    check("blob.bin", incbin_blob_bin_array, incbin_blob_bin_array_size);
    check("empty.bin", incbin_empty_bin_array, incbin_empty_bin_array_size);
    check("blob.bin", object_blob_bin_array, object_blob_bin_array_size);
    check("empty.bin", object_empty_bin_array, object_empty_bin_array_size);
    check("Grüße.txt", object_grüße_txt_array, object_grüße_txt_array_size);
    check("blob.bin", blob, blob_len);
    check("Grüße.txt", greeting, greeting_len);
    if (objects_count != 3 || objects_find("data/blob.bin")->data != object_blob_bin_array) {
        std::printf("the objects' table does not find their arrays\n");
        ++failures;
    }
    if (failures == 0) std::printf("all embedded files match\n");
    return failures == 0 ? 0 : 1;
}

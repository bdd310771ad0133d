// Checks that every embedded array and size variable equals its file, read at run time.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "assets.h"
#include "blob_bin.h"

namespace {

int failures = 0;

void check(const char* file, const uint8_t* array, uintmax_t size) {
    std::ifstream in(std::string(EMBED_DATA_DIR) + file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || size != bytes.size() || std::memcmp(array, bytes.data(), bytes.size()) != 0) {
        std::printf("%s: the embedded copy differs (%ju bytes embedded, %zu in the file)\n", file,
                    size, bytes.size());
        ++failures;
    }
}

} // namespace

int main() {
    check("empty.bin", g_empty_bin_array, g_empty_bin_array_size);
    check("blob.bin", g_blob_bin_array, g_blob_bin_array_size);
    check("Grüße.txt", g_grüße_txt_array, g_grüße_txt_array_size);
    check("blob.bin", s_blob_bin_array, s_blob_bin_array_size);
    if (failures == 0) std::printf("all embedded files match\n");
    return failures == 0 ? 0 : 1;
}

// Which object file, if any, a run writes its arrays into instead of sources.
#pragma once

#include <cstdint>

namespace Zenlo {

// The object formats written: the machine and the file format together.
enum class ObjectFormat { None, CoffX86_64, CoffI386, CoffArm64, ElfX86_64, ElfAarch64, ElfI386 };

// What a run needs to write objects instead of sources.
struct ObjectOptions {
    // None: the run writes sources.
    ObjectFormat format = ObjectFormat::None;
    // COFF's time stamp, seconds since 1970; 0 keeps the bytes the same from run to run.
    std::uint32_t timeStamp = 0;
};

} // namespace Zenlo

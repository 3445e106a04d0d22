// The WAVE reader: a file as the cassettes and the speed change open it, its samples read to
// the end, and a few seeks.
#include "audio/wave_file_stream.h"
#include "fuzz_folder.h"
#include "platform/exception.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFuzzFile("fuzz.wav", data, size);
    try {
        TWaveFileStream stream;
        stream.SetFileName(path);
        stream.Open();
        std::array<std::uint8_t, 4096> buffer{};
        const std::int32_t dataSize = stream.GetSize();
        std::int64_t total = 0;
        while (const std::int32_t n = stream.Read(buffer.data(), buffer.size())) {
            total += n;
            if (n < 0 || total > dataSize) {
                __builtin_trap();
            }
        }
        for (const std::int32_t position : {dataSize / 2, dataSize, dataSize + 1, -1, 3}) {
            stream.SetPosition(position);
            stream.Read(buffer.data(), 16);
        }
        stream.Close();
    } catch (const Exception&) {
        // A damaged file is refused with a message: that is the reader's answer.
    }
    return 0;
}

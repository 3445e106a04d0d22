// A .cue image opened as a drive: its table of contents, and its sound read at the start, the
// middle and the end of the disc. The image's data file, "disc.bin", holds a few seconds.
#include "fuzz_folder.h"
#include "platform/cd_drive.h"

#include <array>
#include <fstream>
#include <vector>

namespace {

constexpr std::int32_t BinSectors = 3 * CdSectorsPerSecond;

void WriteDataFile() {
    std::vector<char> bytes(static_cast<std::size_t>(BinSectors) * CdBytesPerSector);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    std::ofstream(FuzzFolder() + "/disc.bin", std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    WriteDataFile();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFuzzFile("disc.cue", data, size);
    try {
        const auto drive = std::make_shared<const CdDrive>(path);
        const CdToc toc = drive->ReadToc();
        const std::unique_ptr<PcmSource> sound = OpenCdAudio(drive, toc);
        std::array<std::uint8_t, 4 * CdFramesPerSector * 2> buffer{};
        constexpr std::int32_t frames = buffer.size() / 4;
        for (const std::int64_t frame : {std::int64_t{0}, sound->Frames() / 2,
                                         sound->Frames() - frames / 2, sound->Frames()}) {
            sound->Seek(frame);
            if (sound->Read(buffer.data(), frames) > frames) {
                __builtin_trap();
            }
        }
    } catch (const EMediaError&) {
        // A damaged image is refused with a message: that is the drive's answer.
    }
    return 0;
}

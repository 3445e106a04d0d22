#pragma once

#include "pcm_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One track of a disc's table of contents. Addresses are logical sector numbers counted from
// the start of the program area (the first track usually starts at 0, which is 00:02:00).
struct CdTrack {
    int number = 0;
    std::int32_t startSector = 0;
    std::int32_t sectors = 0;
    bool audio = true;
};

struct CdToc {
    std::vector<CdTrack> tracks;
    std::int32_t leadOutSector = 0;
};

inline constexpr int CdFramesPerSector = 588;
inline constexpr int CdBytesPerSector = 2352;
inline constexpr int CdSectorsPerSecond = 75;
// Logical sector 0 lies two seconds into the disc.
inline constexpr int CdAddressOffset = 150;

// A CD-ROM drive (a device path such as /dev/sr0) or a disc image (a .cue file) that stands
// for one. Disc images keep their own tray state for the life of the process.
class CdDrive {
public:
    // Throws EMediaError when the drive or image cannot be opened.
    explicit CdDrive(const std::string& path);
    ~CdDrive();
    CdDrive(const CdDrive&) = delete;
    CdDrive& operator=(const CdDrive&) = delete;

    // The CD-ROM drives of this machine, then the images listed in QUAVREL_CD_DRIVES
    // (colon-separated .cue paths).
    static std::vector<std::string> List();
    // Whether a song path names a disc rather than a media file: a .cue image or a block device.
    static bool IsDiscPath(const std::string& path);

    const std::string& Path() const { return path; }
    bool IsImage() const { return image; }
    // Throws EMediaError when there is no readable disc (tray open, no disc).
    CdToc ReadToc() const;
    // Reads whole audio sectors as 16-bit little-endian stereo.
    void ReadAudio(std::int32_t sector, std::int32_t count, std::uint8_t* data) const;
    bool TrayOpen() const;
    void OpenTray();
    void CloseTray();

private:
    void Reopen();

    std::string path;
    bool image = false;
    struct Handle;
    std::unique_ptr<Handle> handle;
};

// The audio of a whole disc, from the first track's start to the lead-out, 44100 Hz 16-bit
// stereo. Frame 0 is the first track's first sample. What lies outside the audio tracks (a data
// track, the gap before it) is silence and never read.
std::unique_ptr<PcmSource> OpenCdAudio(std::shared_ptr<const CdDrive> drive, const CdToc& toc);

#include "cd_drive.h"

#include <algorithm>
#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <sys/stat.h>

struct CdDrive::Handle {
    CdIo_t* cdio = nullptr;
    ~Handle() {
        if (cdio != nullptr) {
            cdio_destroy(cdio);
        }
    }
};

namespace {

// libcdio reports every probe it makes on stderr; its failures reach the user through our
// own messages instead.
void SilenceCdio() {
    static const bool silenced = [] {
        cdio_log_set_handler([](cdio_log_level_t, const char*) {});
        return true;
    }();
    (void)silenced;
}

bool EndsWithCue(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return extension == ".cue";
}

// An image has no tray; it remembers whether the user "ejected" it until the program ends.
std::map<std::string, bool>& ImageTrays() {
    static std::map<std::string, bool> trays;
    return trays;
}

std::string QuotedPath(const std::string& path) {
    return "\"" + path + "\"";
}

// An enhanced CD keeps its data track in a second session. Between the end of the last audio
// track and the start of the data track lie the audio session's lead-out (1:30), the data
// session's lead-in (1:00) and the data track's pregap (0:02): no track's sound.
constexpr std::int32_t SessionLeadOutSectors = 90 * CdSectorsPerSecond;
constexpr std::int32_t SessionLeadInSectors = 60 * CdSectorsPerSecond;
constexpr std::int32_t DataPregapSectors = 2 * CdSectorsPerSecond;
constexpr std::int32_t SessionGapSectors =
    SessionLeadOutSectors + SessionLeadInSectors + DataPregapSectors; // 11400

} // namespace

CdDrive::CdDrive(const std::string& path) : path(path), image(EndsWithCue(path)) {
    SilenceCdio();
    Reopen();
}

CdDrive::~CdDrive() = default;

void CdDrive::Reopen() {
    handle.reset();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw EMediaError("Cannot open the disc " + QuotedPath(path) + ": " + std::strerror(errno) +
                          ".");
    }
    auto opened = std::make_unique<Handle>();
    opened->cdio = image ? cdio_open_cue(path.c_str()) : cdio_open(path.c_str(), DRIVER_DEVICE);
    if (opened->cdio == nullptr) {
        throw EMediaError("Cannot open the disc " + QuotedPath(path) +
                          (image ? ": not a readable disc image." : ": not a CD drive."));
    }
    handle = std::move(opened);
}

std::vector<std::string> CdDrive::List() {
    SilenceCdio();
    std::vector<std::string> drives;
    if (char** devices = cdio_get_devices(DRIVER_DEVICE)) {
        for (char** device = devices; *device != nullptr; ++device) {
            drives.emplace_back(*device);
        }
        cdio_free_device_list(devices);
    }
    if (const char* images = std::getenv("QUAVREL_CD_DRIVES")) {
        std::istringstream list(images);
        std::string image;
        while (std::getline(list, image, ':')) {
            if (!image.empty()) {
                drives.push_back(image);
            }
        }
    }
    return drives;
}

bool CdDrive::IsDiscPath(const std::string& path) {
    if (EndsWithCue(path)) {
        return true;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISBLK(info.st_mode);
}

CdToc CdDrive::ReadToc() const {
    if (TrayOpen() || handle == nullptr) {
        throw EMediaError("There is no disc in " + QuotedPath(path) + ".");
    }
    const track_t first = cdio_get_first_track_num(handle->cdio);
    const track_t count = cdio_get_num_tracks(handle->cdio);
    const lsn_t leadOut = cdio_get_track_lsn(handle->cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0 ||
        leadOut == CDIO_INVALID_LSN) {
        throw EMediaError("Cannot read the table of contents of " + QuotedPath(path) + ".");
    }
    CdToc toc;
    toc.leadOutSector = leadOut;
    for (int number = first; number < first + count; ++number) {
        CdTrack track;
        track.number = number;
        track.startSector = cdio_get_track_lsn(handle->cdio, static_cast<track_t>(number));
        track.audio =
            cdio_get_track_format(handle->cdio, static_cast<track_t>(number)) == TRACK_FORMAT_AUDIO;
        if (track.startSector == CDIO_INVALID_LSN || track.startSector > leadOut) {
            throw EMediaError("Cannot read the table of contents of " + QuotedPath(path) + ".");
        }
        toc.tracks.push_back(track);
    }
    for (std::size_t i = 0; i < toc.tracks.size(); ++i) {
        std::int32_t end =
            i + 1 < toc.tracks.size() ? toc.tracks[i + 1].startSector : toc.leadOutSector;
        // On an enhanced CD the last audio track ends where the gap before the data track begins.
        if (i + 1 < toc.tracks.size() && toc.tracks[i].audio && !toc.tracks[i + 1].audio) {
            end -= SessionGapSectors;
        }
        toc.tracks[i].sectors = std::max(0, end - toc.tracks[i].startSector);
    }
    return toc;
}

void CdDrive::ReadAudio(std::int32_t sector, std::int32_t count, std::uint8_t* data) const {
    if (TrayOpen() || handle == nullptr ||
        cdio_read_audio_sectors(handle->cdio, data, sector, static_cast<std::uint32_t>(count)) !=
            DRIVER_OP_SUCCESS) {
        throw EMediaError("Cannot read the disc " + QuotedPath(path) + ".");
    }
}

bool CdDrive::TrayOpen() const {
    if (image) {
        const auto found = ImageTrays().find(path);
        return found != ImageTrays().end() && found->second;
    }
    return handle == nullptr;
}

void CdDrive::OpenTray() {
    if (image) {
        // libcdio's eject frees an image's handle a second time: the tray is ours alone.
        ImageTrays()[path] = true;
        return;
    }
    handle.reset();
    if (cdio_eject_media_drive(path.c_str()) != DRIVER_OP_SUCCESS) {
        Reopen();
        throw EMediaError("Cannot open the tray of " + QuotedPath(path) + ".");
    }
}

void CdDrive::CloseTray() {
    if (image) {
        ImageTrays()[path] = false;
        return;
    }
    driver_id_t driver = DRIVER_DEVICE;
    if (cdio_close_tray(path.c_str(), &driver) != DRIVER_OP_SUCCESS) {
        throw EMediaError("Cannot close the tray of " + QuotedPath(path) + ".");
    }
    Reopen();
}

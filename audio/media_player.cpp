#include "media_player.h"

#include "platform/media/media_file.h"

#include <algorithm>

namespace {

constexpr std::int32_t TmsfCode(std::int32_t track, std::int32_t sectors) {
    return track | (sectors / (60 * CdSectorsPerSecond)) << 8 |
           (sectors / CdSectorsPerSecond % 60) << 16 | (sectors % CdSectorsPerSecond) << 24;
}

constexpr std::int32_t MsfCode(std::int32_t sectors) {
    return TmsfCode(0, sectors) >> 8;
}

// While the stretcher is in the path, a change of tempo is heard after at most two buffers of
// this many bytes; the song as it is plays from the described larger ones.
constexpr std::int32_t StretchedBufferSize = 8192;

std::uint32_t NextDeviceId() {
    static std::uint32_t last = 0;
    return ++last;
}

} // namespace

TMediaPlayer::TMediaPlayer() = default;

// The output's device run is retired with it and ends on its own.
TMediaPlayer::~TMediaPlayer() = default;

// Every command leaves its error, or none, as the last error, and fails with EMCIDeviceError.
template <typename Command> auto TMediaPlayer::Run(Command command) const {
    lastError.clear();
    try {
        return command();
    } catch (const Exception& error) {
        lastError = error.Message();
        if (lastError.empty()) {
            lastError = "The song player failed.";
        }
        throw EMCIDeviceError(lastError);
    }
}

void TMediaPlayer::CheckOpened() const {
    if (deviceId == 0) {
        throw EMCIDeviceError("Device is not opened");
    }
}

void TMediaPlayer::Open() {
    Run([this] {
        Close();
        loopPasses = 0;
        if (FileName.empty()) {
            throw EMediaError("No song to open.");
        }
        const bool disc =
            DeviceType == TMPDeviceTypes::dtCDAudio ||
            (DeviceType == TMPDeviceTypes::dtAutoSelect && CdDrive::IsDiscPath(FileName));
        if (disc) {
            drive = std::make_shared<CdDrive>(FileName);
        } else {
            source = OpenMediaFile(FileName);
            originFrame = 0;
        }
        deviceId = NextDeviceId();
        state = TMPModes::mpStopped;
        frame = 0;
    });
}

void TMediaPlayer::Close() {
    if (deviceId == 0) {
        return;
    }
    Halt();
    ClearLoop();
    source.reset();
    drive.reset();
    toc = {};
    deviceId = 0;
    state = TMPModes::mpNotReady;
    frame = 0;
}

// A disc is read when it is first needed, so that a drive opens with its tray out.
void TMediaPlayer::LoadMedium() const {
    CheckOpened();
    if (source) {
        return;
    }
    toc = drive->ReadToc();
    source = OpenCdAudio(drive, toc);
    originFrame = static_cast<std::int64_t>(toc.tracks.front().startSector + CdAddressOffset) *
                  CdFramesPerSector;
}

const CdToc& TMediaPlayer::Toc() const {
    Run([this] {
        LoadMedium();
        if (!drive) {
            throw EMediaError("The song is not a disc.");
        }
    });
    return toc;
}

std::unique_ptr<PcmSource> TMediaPlayer::NewReader() const {
    return Run([this] {
        LoadMedium();
        return drive ? OpenCdAudio(drive, toc) : OpenMediaFile(FileName);
    });
}

std::int64_t TMediaPlayer::OriginFrame() const {
    Run([this] { LoadMedium(); });
    return originFrame;
}

TMPModes TMediaPlayer::Mode() const {
    if (deviceId == 0) {
        return TMPModes::mpNotReady;
    }
    if (drive && drive->TrayOpen()) {
        return TMPModes::mpOpen;
    }
    try {
        LoadMedium();
    } catch (const Exception&) {
        return TMPModes::mpNotReady;
    }
    return state;
}

void TMediaPlayer::Play() {
    Run([this] {
        LoadMedium();
        if (state != TMPModes::mpPlaying) {
            StartOutput();
        }
    });
}

// Every run plays through an output driver of its own, dropped when the run stops: its device
// run is retired and ends on its own, without a word to this player.
void TMediaPlayer::StartOutput() {
    if (AutoRewind && frame >= source->Frames()) {
        frame = 0;
    }
    const WaveDeviceFormat format = source->Format();
    output = std::make_unique<TDoubleBufferingPlayer>();
    output->SetMode(TDoubleBufferingPlayer::ModePlay);
    output->RunBufferSize =
        tempo.IsNeutral() ? TDoubleBufferingPlayer::BufferSize : StretchedBufferSize;
    output->Format = MakePcmWaveFormat(format.channels, format.samplesPerSec, format.bitsPerSample);
    output->OnFill = [this](std::int32_t, std::uint8_t* data, std::int32_t& bytes) {
        Fill(data, bytes);
    };
    output->OnEnd = [this] {
        frame = source->Frames();
        heardBytes = filledBytes;
        loopPasses += renderer->Map().WrapsAt(renderer->Rendered());
        state = TMPModes::mpStopped;
    };
    // Ended by the device (an error raised afterwards): count what was handed over as heard.
    output->OnStop = [this] {
        if (state == TMPModes::mpPlaying) {
            frame = std::min(renderer->Map().SourceAt(renderer->Rendered()), source->Frames());
            heardBytes = filledBytes;
            loopPasses += renderer->Map().WrapsAt(renderer->Rendered());
            state = TMPModes::mpStopped;
        }
    };
    renderer = std::make_unique<TSongRenderer>(*source, frame, tempo);
    LoopRenderer();
    try {
        output->SetActive(true);
    } catch (...) {
        DropUnheard(heardBytes);
        output.reset();
        throw;
    }
    state = output->IsActive() ? TMPModes::mpPlaying : TMPModes::mpStopped;
}

// Stops the output where it is heard now.
void TMediaPlayer::Halt() {
    if (state != TMPModes::mpPlaying) {
        return;
    }
    const std::int64_t played = PlayedFrames();
    const std::int64_t heard = CurrentFrame();
    DropUnheard(heardBytes + renderer->Map().CountedAt(played) * source->Format().BlockAlign());
    loopPasses += renderer->Map().WrapsAt(played);
    frame = heard;
    state = TMPModes::mpStopped;
    output.reset();
    renderer.reset();
}

// What was handed to the output device after `heard` will never be heard.
void TMediaPlayer::DropUnheard(std::int64_t heard) {
    heardBytes = heard;
    filledBytes = heard;
    if (Listener != nullptr) {
        Listener->SongDropped(heard);
    }
}

// The listener gets the song's own frames as they are passed, whatever the tempo.
void TMediaPlayer::Fill(std::uint8_t* data, std::int32_t& bytes) {
    const WaveDeviceFormat format = source->Format();
    const std::int32_t blockAlign = format.BlockAlign();
    const std::int32_t frames = renderer->Render(
        reinterpret_cast<std::int16_t*>(data), bytes / blockAlign,
        [&](const std::int16_t* passed, std::int32_t count) {
            if (Listener != nullptr) {
                Listener->SongFilled(filledBytes, reinterpret_cast<const std::uint8_t*>(passed),
                                     count * blockAlign, format);
            }
            filledBytes += std::int64_t{count} * blockAlign;
        });
    bytes = frames * blockAlign;
}

void TMediaPlayer::Stop() {
    Run([this] {
        CheckOpened();
        Halt();
        if (state == TMPModes::mpPaused) {
            state = TMPModes::mpStopped;
        }
    });
}

void TMediaPlayer::Pause() {
    Run([this] {
        CheckOpened();
        if (state == TMPModes::mpPlaying) {
            Halt();
            state = TMPModes::mpPaused;
        } else if (state == TMPModes::mpPaused) {
            LoadMedium();
            StartOutput();
        }
    });
}

void TMediaPlayer::SetPosition(std::int32_t position) {
    Run([this, position] {
        LoadMedium();
        SeekTo(FrameOf(position), false);
    });
}

// A seek stops the song (a paused one too); `playOn` starts it again from there.
void TMediaPlayer::SeekTo(std::int64_t target, bool playOn) {
    Halt();
    frame = target;
    state = TMPModes::mpStopped;
    if (playOn) {
        StartOutput();
    }
}

std::int32_t TMediaPlayer::GetPosition() const {
    return Run([this] {
        LoadMedium();
        return PositionAt(originFrame + CurrentFrame());
    });
}

std::int32_t TMediaPlayer::EndPosition() const {
    return Run([this] {
        LoadMedium();
        return PositionAt(originFrame + source->Frames());
    });
}

std::int32_t TMediaPlayer::PositionAt(std::int64_t absolute) const {
    if (timeFormat == tfMilliseconds) {
        return Milliseconds(absolute);
    }
    const auto spans = Spans();
    auto span = std::find_if(spans.rbegin(), spans.rend(),
                             [&](const TrackSpan& s) { return s.start <= absolute; });
    const TrackSpan& track = span == spans.rend() ? spans.front() : *span;
    const auto sectors = std::max<std::int64_t>(0, absolute - track.start) * CdSectorsPerSecond /
                         source->Format().samplesPerSec;
    return TmsfCode(track.number, static_cast<std::int32_t>(sectors));
}

void TMediaPlayer::Next() {
    Run([this] {
        LoadMedium();
        const std::int64_t absolute = originFrame + CurrentFrame();
        std::int64_t target = source->Frames();
        for (const TrackSpan& span : Spans()) {
            if (span.start > absolute) {
                target = span.start - originFrame;
                break;
            }
        }
        SeekTo(target, state == TMPModes::mpPlaying);
    });
}

void TMediaPlayer::Previous() {
    Run([this] {
        LoadMedium();
        const std::int64_t absolute = originFrame + CurrentFrame();
        const auto spans = Spans();
        std::size_t current = 0;
        while (current + 1 < spans.size() && spans[current + 1].start <= absolute) {
            ++current;
        }
        const auto rate = source->Format().samplesPerSec;
        if (current > 0 && absolute - spans[current].start < rate) {
            --current;
        }
        SeekTo(std::max<std::int64_t>(0, spans[current].start - originFrame),
               state == TMPModes::mpPlaying);
    });
}

void TMediaPlayer::Eject() {
    Run([this] {
        CheckOpened();
        if (!drive) {
            return;
        }
        Halt();
        drive->OpenTray();
        source.reset();
        state = TMPModes::mpStopped;
        frame = 0;
    });
}

void TMediaPlayer::CloseDoor() {
    Run([this] {
        CheckOpened();
        if (!drive) {
            return;
        }
        drive->CloseTray();
        source.reset();
        state = TMPModes::mpStopped;
        frame = 0;
    });
}

void TMediaPlayer::SetTimeFormat(TMPTimeFormats format) {
    Run([this, format] {
        CheckOpened();
        if (format != tfMilliseconds && format != tfTMSF) {
            throw EMCIDeviceError("The time format is not supported.");
        }
        timeFormat = format;
    });
}

std::int32_t TMediaPlayer::Length() const {
    return Run([this] {
        LoadMedium();
        return DurationOf(source->Frames());
    });
}

std::int32_t TMediaPlayer::Tracks() const {
    return Run([this] {
        LoadMedium();
        return static_cast<std::int32_t>(Spans().size());
    });
}

std::int32_t TMediaPlayer::TrackPosition(std::int32_t track) const {
    return Run([this, track] {
        LoadMedium();
        const TrackSpan span = SpanOf(track);
        return timeFormat == tfMilliseconds ? Milliseconds(span.start) : span.number;
    });
}

std::int32_t TMediaPlayer::TrackLength(std::int32_t track) const {
    return Run([this, track] {
        LoadMedium();
        return DurationOf(SpanOf(track).frames);
    });
}

std::vector<TMediaPlayer::TrackSpan> TMediaPlayer::Spans() const {
    if (!drive) {
        return {{1, 0, source->Frames()}};
    }
    std::vector<TrackSpan> spans;
    for (const CdTrack& track : toc.tracks) {
        spans.push_back(
            {track.number,
             static_cast<std::int64_t>(track.startSector + CdAddressOffset) * CdFramesPerSector,
             static_cast<std::int64_t>(track.sectors) * CdFramesPerSector});
    }
    return spans;
}

TMediaPlayer::TrackSpan TMediaPlayer::SpanOf(std::int32_t track) const {
    for (const TrackSpan& span : Spans()) {
        if (span.number == track) {
            return span;
        }
    }
    throw EMCIDeviceError("There is no track " + std::to_string(track) + ".");
}

std::int64_t TMediaPlayer::HeardBytes() const {
    if (state != TMPModes::mpPlaying) {
        return heardBytes;
    }
    return heardBytes + renderer->Map().CountedAt(PlayedFrames()) * source->Format().BlockAlign();
}

// The output frames of the run the device has played.
std::int64_t TMediaPlayer::PlayedFrames() const {
    return std::min(output->GetDevicePosition() / source->Format().BlockAlign(),
                    renderer->Rendered());
}

std::int64_t TMediaPlayer::CurrentFrame() const {
    if (state != TMPModes::mpPlaying) {
        return frame;
    }
    return std::min(renderer->Map().SourceAt(PlayedFrames()), source->Frames());
}

std::int64_t TMediaPlayer::FrameOf(std::int32_t position) const {
    if (timeFormat == tfMilliseconds) {
        return FrameOfMilliseconds(position);
    }
    const auto rate = source->Format().samplesPerSec;
    const auto code = static_cast<std::uint32_t>(position);
    const std::int64_t sectors = ((code >> 8) & 0xFF) * 60 * CdSectorsPerSecond +
                                 ((code >> 16) & 0xFF) * CdSectorsPerSecond + ((code >> 24) & 0xFF);
    const std::int64_t absolute =
        SpanOf(static_cast<std::int32_t>(code & 0xFF)).start + sectors * rate / CdSectorsPerSecond;
    return std::clamp<std::int64_t>(absolute - originFrame, 0, source->Frames());
}

std::int64_t TMediaPlayer::FrameOfMilliseconds(std::int32_t ms) const {
    const std::int64_t absolute = std::int64_t{ms} * source->Format().samplesPerSec / 1000;
    return std::clamp<std::int64_t>(absolute - originFrame, 0, source->Frames());
}

std::int64_t TMediaPlayer::SectionBytes(std::int32_t fromMs, std::int32_t toMs) const {
    return Run([this, fromMs, toMs] {
        LoadMedium();
        const std::int64_t frames = FrameOfMilliseconds(toMs) - FrameOfMilliseconds(fromMs);
        return std::max<std::int64_t>(0, frames) * source->Format().BlockAlign();
    });
}

// Frames become milliseconds rounded up and milliseconds frames rounded down, so that a
// position read and set again stays where it was, and a track's start read in milliseconds
// seeks into that track, never just before it.
std::int32_t TMediaPlayer::Milliseconds(std::int64_t absoluteFrame) const {
    const std::int64_t rate = source->Format().samplesPerSec;
    return static_cast<std::int32_t>((absoluteFrame * 1000 + rate - 1) / rate);
}

std::int32_t TMediaPlayer::DurationOf(std::int64_t frames) const {
    if (timeFormat == tfMilliseconds) {
        return Milliseconds(frames);
    }
    const auto sectors = frames * CdSectorsPerSecond / source->Format().samplesPerSec;
    return MsfCode(static_cast<std::int32_t>(sectors));
}

// A playing song through the plain path starts again where it is heard, on the smaller buffers
// of the stretched path; a playing song already on them joins the new tempo as it plays.
void TMediaPlayer::SetTempo(const TPlaybackTempo& value) {
    tempo = value;
    if (state != TMPModes::mpPlaying) {
        return;
    }
    if (!tempo.IsNeutral() && output->RunBufferSize == TDoubleBufferingPlayer::BufferSize) {
        Run([this] { SeekTo(CurrentFrame(), true); });
    } else {
        renderer->SetTempo(tempo);
    }
}

void TMediaPlayer::SetLoop(std::int32_t startMs, std::int32_t endMs) {
    loopStartMs = startMs;
    loopEndMs = endMs;
    if (state == TMPModes::mpPlaying) {
        LoopRenderer();
    }
}

void TMediaPlayer::ClearLoop() {
    loopEndMs = -1;
    if (renderer) {
        renderer->ClearLoop();
    }
}

void TMediaPlayer::LoopRenderer() {
    if (loopEndMs >= 0) {
        renderer->SetLoop(FrameOfMilliseconds(loopStartMs), FrameOfMilliseconds(loopEndMs));
    }
}

std::int64_t TMediaPlayer::LoopPasses() const {
    if (state != TMPModes::mpPlaying) {
        return loopPasses;
    }
    return loopPasses + renderer->Map().WrapsAt(PlayedFrames());
}

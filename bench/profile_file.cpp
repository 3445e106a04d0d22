// Reading a large profile file and looking up every key in it, next to looking the same keys up
// by a plain linear scan over the file's key=value lines (comparing names without regard to case,
// without copying them), which is what a lookup cost before profile files were indexed:
// - one section of 100,000 keys (a key file or a language file grown without bound);
// - 100,000 sections of three keys (song data gathered over years, one section per song).
// The scan is timed on 100 lookups spread over the file and given per lookup and for the whole
// file. Run build/bench/quavrel-bench-profile-file; it needs nothing else.

#include "platform/profile_file.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Count = 100000;
constexpr int ScanSample = 100;

double Seconds(Clock::duration span) {
    return std::chrono::duration<double>(span).count();
}

double Time(const std::function<void()>& work) {
    const Clock::time_point start = Clock::now();
    work();
    return Seconds(Clock::now() - start);
}

struct Entry {
    QString section;
    QString key;
    QString value;
};

// The value of the first line of that section and key, scanning every line.
QString Scanned(const std::vector<Entry>& entries, const QString& section, const QString& key) {
    for (const Entry& entry : entries) {
        if (entry.section.compare(section, Qt::CaseInsensitive) == 0 &&
            entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            return entry.value;
        }
    }
    return {};
}

struct Lookup {
    QString section;
    QString key;
};

void Measure(const char* title, const QByteArray& bytes, const std::vector<Lookup>& lookups) {
    ProfileFile file;
    const double read = Time([&] { file = ProfileFile::FromBytes(bytes); });
    long long sum = 0;
    const double all = Time([&] {
        for (const Lookup& lookup : lookups) {
            sum += file.ReadInteger(lookup.section, lookup.key, 0);
        }
    });
    std::vector<Entry> entries;
    file.ForEachValue([&](const QString& section, const QString& key, const QString& value) {
        entries.push_back(Entry{section, key, value});
    });
    const std::size_t step = lookups.size() / ScanSample;
    const double scan = Time([&] {
        for (std::size_t i = 0; i < lookups.size(); i += step) {
            sum += Scanned(entries, lookups[i].section, lookups[i].key).toInt();
        }
    });
    const double scanEach = scan / ScanSample;
    std::printf("%s (%lld bytes)\n", title, static_cast<long long>(bytes.size()));
    std::printf("  read:         %9.3f s\n", read);
    std::printf("  every key:    %9.3f s  (%.3f us a lookup)\n", all,
                all / static_cast<double>(lookups.size()) * 1e6);
    std::printf("  linear scan:  %9.3f s  (%.3f us a lookup, timed on %d)\n",
                scanEach * static_cast<double>(lookups.size()), scanEach * 1e6, ScanSample);
    std::printf("  (checksum %lld)\n", sum);
}

} // namespace

int main() {
    QByteArray oneSection = "[Song]\r\n";
    QByteArray manySections;
    std::vector<Lookup> keys;
    std::vector<Lookup> sections;
    for (int i = 0; i < Count; ++i) {
        const QByteArray n = QByteArray::number(i);
        oneSection += "WaveFrm" + n + ".Left=" + n + "\r\n";
        keys.push_back(Lookup{"song", "wavefrm" + QString::number(i) + ".left"});
        manySections += "[Song number " + n + ".mp3]\r\nWaveFrmCount=" + n +
                        "\r\nRepeatFrmCount=1\r\nRepeatFrm0.Left=" + n + "\r\n";
        sections.push_back(Lookup{"song number " + QString::number(i) + ".MP3", "WaveFrmCount"});
    }
    Measure("One section of 100,000 keys", oneSection, keys);
    Measure("100,000 sections", manySections, sections);
}

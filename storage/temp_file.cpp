#include "storage/temp_file.h"

#include "actions/messages.h"
#include "platform/exclusive_file.h"
#include "platform/tick_count.h"

#include <random>

namespace {

constexpr int MaxDraws = 10000;
constexpr std::int32_t LargestNumber = 2147483646;

} // namespace

std::int32_t DrawTempNumber() {
    static std::mt19937 generator(TickCount());
    return std::uniform_int_distribution<std::int32_t>(0, LargestNumber)(generator);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::string NamedPrefix(const std::string& word, QString name) {
    // The rest of the name: " - " twice, up to ten digits, ".wav".
    const qsizetype longest = 255 - static_cast<qsizetype>(word.size()) - 2 * 3 - 10 - 4;
    name.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    name.replace(u'\r', u' ');
    name.replace(u'\n', u' ');
    while (name.toUtf8().size() > longest) {
        name.chop(name.back().isLowSurrogate() ? 2 : 1);
    }
    return word + " - " + name.toStdString() + " - ";
}

std::string CreateTempFile(const std::string& folder, const std::string& prefix,
                           const std::string& extension, const TCreateFile& create,
                           const TRandomDraw& draw) {
    for (int drawn = 0; drawn < MaxDraws; ++drawn) {
        const std::string path =
            JoinPath(folder, prefix + std::to_string(draw()) + "." + extension);
        if (create ? create(path) : CreateNewFile(path)) {
            return path;
        }
    }
    throw ETempFileError(STmpFile_FailedCreation.toStdString());
}

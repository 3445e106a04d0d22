#include "tree_file.h"

#include "actions/comma_text.h"
#include "actions/messages.h"
#include "platform/text_decoding.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>

namespace {

const QString NameKey = QStringLiteral("NAME");
const QString FileNameKey = QStringLiteral("FILENAME");
const QString TypeKey = QStringLiteral("TYPE");
const QString ExpandedKey = QStringLiteral("EXPANDED");
const QString CountKey = QStringLiteral("COUNT");
const QString FileType = QStringLiteral("FILE");
const QString FolderType = QStringLiteral("FOLDER");
const QString TrueText = QStringLiteral("TRUE");
const QString FalseText = QStringLiteral("FALSE");

// The value of the first pair whose key is key (without regard to case); empty when none.
QString ValueOf(const QStringList& pairs, const QString& key) {
    for (const QString& pair : pairs) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals >= 0 && QStringView(pair).left(equals).compare(key, Qt::CaseInsensitive) == 0) {
            return pair.mid(equals + 1);
        }
    }
    return {};
}

int LeadingTabs(const QString& line) {
    int tabs = 0;
    while (tabs < line.size() && line[tabs] == u'\t') {
        ++tabs;
    }
    return tabs;
}

std::vector<QByteArray> SplitLines(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0) {
            end = bytes.size();
        }
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        lines.push_back(bytes.mid(start, end - start));
        start = next;
    }
    return lines;
}

// The folders being read: where their children go, how many lines they still take.
struct OpenFolder {
    std::vector<TreeFileNode>* Children;
    long long Remaining; // negative for the root, which takes every line
    int Level;
};

QString OneLine(QString text) {
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

void WriteNode(QString& text, const TreeFileNode& node, int level) {
    text += QString(level, u'\t');
    QStringList pairs{NameKey + u'=' + OneLine(node.Name),
                      FileNameKey + u'=' + OneLine(node.FileName),
                      TypeKey + u'=' + (node.Folder ? FolderType : FileType)};
    if (node.Folder) {
        pairs.append(ExpandedKey + u'=' + (node.Expanded ? TrueText : FalseText));
    }
    pairs.append(CountKey + u'=' + QString::number(node.Children.size()));
    text += ToCommaText(pairs);
    text += u'\n';
    for (const TreeFileNode& child : node.Children) {
        WriteNode(text, child, level + 1);
    }
}

} // namespace

TreeFileContent ParseTreeFile(const QByteArray& bytes) {
    TreeFileContent content;
    const std::vector<QByteArray> lines = SplitLines(bytes);
    std::vector<OpenFolder> open{{&content.Nodes, -1, 0}};
    int nodeCount = 0;
    for (std::size_t next = 0;; ++next) {
        while (open.back().Remaining == 0) {
            open.pop_back();
        }
        if (next >= lines.size()) {
            break;
        }
        OpenFolder& parent = open.back();
        if (parent.Remaining > 0) {
            --parent.Remaining;
        }
        const int lineNumber = static_cast<int>(next) + 1;
        if (lines[next].size() > MaxTreeFileLineBytes) {
            content.DamagedLine = lineNumber;
            break;
        }
        const QString line = DecodeLanguageText(lines[next]);
        const int tabs = LeadingTabs(line);
        if (tabs != parent.Level + 1) {
            continue;
        }
        const QStringList pairs = FromCommaText(line.mid(tabs));
        const QString type = ValueOf(pairs, TypeKey);
        if (type != FileType && type != FolderType) {
            continue;
        }
        bool isCount = true;
        const int count = type == FolderType ? ValueOf(pairs, CountKey).toInt(&isCount, 10) : 0;
        if (!isCount || ++nodeCount > MaxTreeFileNodes || tabs > MaxTreeFileDepth) {
            content.DamagedLine = lineNumber;
            break;
        }
        TreeFileNode& node = parent.Children->emplace_back();
        node.Name = ValueOf(pairs, NameKey);
        node.FileName = ValueOf(pairs, FileNameKey);
        if (type == FolderType) {
            node.Folder = true;
            node.Expanded = ValueOf(pairs, ExpandedKey) == TrueText;
            open.push_back({&node.Children, std::max(count, 0), tabs});
        }
    }
    return content;
}

QByteArray TreeFileBytes(const std::vector<TreeFileNode>& nodes) {
    QString text;
    for (const TreeFileNode& node : nodes) {
        WriteNode(text, node, 1);
    }
    return text.toUtf8();
}

TreeFileContent ReadTreeFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw ETreeFileError(
            (SReadFileListError + u'\r' + file.fileName() + u'\r' + file.errorString())
                .toStdString());
    }
    QByteArray bytes = file.read(MaxTreeFileBytes + 1);
    if (bytes.size() <= MaxTreeFileBytes) {
        return ParseTreeFile(bytes);
    }
    // Too long: what lies before the last whole line within the bound is read, and the next
    // line counts as damaged.
    bytes.truncate(bytes.lastIndexOf('\n', MaxTreeFileBytes - 1) + 1);
    TreeFileContent content = ParseTreeFile(bytes);
    if (!content.DamagedLine) {
        content.DamagedLine = static_cast<int>(bytes.count('\n')) + 1;
    }
    return content;
}

void WriteTreeFile(const std::string& path, const std::vector<TreeFileNode>& nodes) {
    QSaveFile file(QString::fromStdString(path));
    const QByteArray bytes = TreeFileBytes(nodes);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw ETreeFileError(
            (SWriteFileListError + u'\r' + file.fileName() + u'\r' + file.errorString())
                .toStdString());
    }
}

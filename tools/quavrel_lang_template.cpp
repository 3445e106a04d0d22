// quavrel-lang-template: writes an English language file for translators to start from.
#include "actions/language_template.h"
#include "tool_support.h"

int main(int argc, char** argv) {
    return RunTool([&] {
        Arguments args(argc, argv);
        const std::string path =
            args.Take("the output file (usage: quavrel-lang-template OUT.ini)");
        if (!args.Empty()) {
            throw UsageError("Usage: quavrel-lang-template OUT.ini");
        }
        WriteLanguageTemplate(path);
        return 0;
    });
}

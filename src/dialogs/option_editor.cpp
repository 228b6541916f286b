#include "dialogs/option_editor.h"

#include "store/ini_store.h"
#include "store/lines.h"

namespace {

struct Kind {
    const char* what;  // as the message names the lines
    std::string OptionTexts::*text;
};
const Kind kLineKinds[] = {{"Config.sys", &OptionTexts::configLines},
                           {"Autoexec.bat", &OptionTexts::autoexecLines}};

std::string withBreaks(const std::string& text, const char* lineBreak) {
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1A') continue;
        if (text[i] != '\r' && text[i] != '\n') {
            kept += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        kept += lineBreak;
    }
    return kept;
}

std::string fittedLines(const std::string& text) {
    std::string fitted;
    std::size_t kept = 0;
    for (const std::string& line : splitLines(text)) {
        if (!line.empty() && ++kept > kMaxLines) break;
        fitted += line.substr(0, kMaxValue) + "\r\n";
    }
    if (!fitted.empty()) fitted.resize(fitted.size() - 2);
    return fitted;
}

OptionTexts takenOver(const OptionTexts& typed) {
    return {withBreaks(typed.name, " "), withBreaks(typed.configLines, "\r\n"),
            withBreaks(typed.autoexecLines, "\r\n")};
}

}  // namespace

std::string whatWouldBeCut(const OptionTexts& texts) {
    std::string cut;
    const std::string limit = std::to_string(kMaxValue);
    if (texts.name.size() > kMaxValue) cut += "\r- der Name ist länger als " + limit + " Zeichen";
    for (const Kind& kind : kLineKinds) {
        std::vector<std::string> lines = storedLines(texts.*kind.text);
        if (lines.size() > kMaxLines)
            cut += "\r- " + std::to_string(lines.size()) + " Zeilen für " + kind.what +
                   ", höchstens " + std::to_string(kMaxLines);
        for (const std::string& line : lines) {
            if (line.size() <= kMaxValue) continue;
            cut += "\r- eine Zeile für " + std::string(kind.what) + " ist\r  länger als " + limit +
                   " Zeichen";
            break;
        }
    }
    return cut.empty() ? cut : cut.substr(1);
}

OptionTexts cutToFit(const OptionTexts& texts) {
    return {texts.name.substr(0, kMaxValue), fittedLines(texts.configLines),
            fittedLines(texts.autoexecLines)};
}

bool acceptOptionTexts(OptionTexts& texts, MessageBoxes& boxes) {
    texts = takenOver(texts);
    std::string cut = whatWouldBeCut(texts);
    if (cut.empty()) return true;
    Answer a = boxes.show("Velkor.ini kann nicht alles aufnehmen:\r" + cut +
                              "\rSoll der Rest abgeschnitten werden?\r"
                              "Mit \"Nein\" kehren Sie zum Bearbeiten zurück.",
                          "Option ändern", mb::YesNo | mb::IconExclamation | mb::DefaultSecond);
    if (a != Answer::Yes) return false;
    texts = cutToFit(texts);
    return true;
}

#include "platform/text_rules.h"

namespace {
// MessageBoxA's results.
constexpr int kIdOk = 1, kIdRetry = 4, kIdYes = 6, kIdNo = 7;
}  // namespace

char foldCase(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    bool lower = (u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7);
    return char(lower ? u - 32 : u);
}

std::string argumentsOf(const std::string& commandLine) {
    std::size_t i = 0;
    for (bool quoted = false; i < commandLine.size(); ++i) {
        char c = commandLine[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ' ' || c == '\t'))
            break;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    return commandLine.substr(i);
}

std::string folderOfFile(const std::string& path) {
    std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return {};
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, slash);
}

std::string inFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

std::string doubled(const std::string& text, char mark) {
    std::string out;
    for (char c : text) {
        if (c == mark) out += mark;
        out += c;
    }
    return out;
}

Answer answerOf(int result, unsigned style) {
    switch (style & 0x0F) {
        case mb::Ok:
            return Answer::Ok;
        case mb::YesNo:
            return result == kIdYes ? Answer::Yes : Answer::No;
    }
    switch (result) {
        case kIdOk:
            return Answer::Ok;
        case kIdRetry:
            return Answer::Retry;
        case kIdYes:
            return Answer::Yes;
        case kIdNo:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

#include "core/options.h"

#include "varnel_version.h"

namespace core {

namespace {

// What an option of ours asks for, or Refuse for an option Varnel does not have.
Ask Meaning(std::string_view word) {
    if (word == "-h" || word == "--help")
        return Ask::Help;
    if (word == "-v" || word == "--version")
        return Ask::Version;
    return Ask::Refuse;
}

// The refusal of word, an option or an argument: Varnel takes no arguments.
Options Refused(std::string_view word, bool option) {
    return {Ask::Refuse, std::string(option ? "Unknown option '" : "Unexpected argument '") +
                             std::string(word) + "'."};
}

} // namespace

Options ReadOptions(const std::vector<std::string>& words, TakenElsewhere elsewhere) {
    Options options;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < words.size();) {
        const std::string_view word = words[i];
        const std::size_t taken = optionsEnd || elsewhere == nullptr ? 0 : elsewhere(word);
        i += taken == 0 ? 1 : taken;
        if (taken > 0)
            continue;
        // "-" alone names no option: it is an argument, as it is to most programs.
        const bool option = !optionsEnd && word.size() > 1 && word[0] == '-';
        if (option && word == "--") {
            optionsEnd = true;
            continue;
        }
        const Ask ask = option ? Meaning(word) : Ask::Refuse;
        if (ask == Ask::Refuse)
            return Refused(word, option);
        if (options.ask != Ask::Version)
            options.ask = ask;
    }
    return options;
}

Reply ReplyTo(const Options& options, std::string_view settingsFile) {
    switch (options.ask) {
    case Ask::Help:
        return {"Usage: varnel [options]\n"
                "Texture offsets for level designers: wall alignment and the floor/ceiling "
                "grid.\n\n"
                "Options:\n"
                "  -h, --help     Displays this help and where the settings are kept.\n"
                "  -v, --version  Displays version information.\n\n"
                "Settings file: " +
                    std::string(settingsFile) + "\n",
                false, 0};
    case Ask::Version:
        return {std::string("Varnel ") + varnel::version + "\n", false, 0};
    case Ask::Refuse:
    case Ask::Window:
        break;
    }
    return {"varnel: " + options.wrong + " Try 'varnel --help'.\n", true, 2};
}

} // namespace core

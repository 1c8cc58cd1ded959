// The command line: which words are Varnel's options, and what a run that is
// asked for help, for the version or with a word it does not know prints
// instead of opening its window. The Qt program and the native Windows one
// answer the same words with the same text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// What a command line asks a run to do.
enum class Ask { Window, Help, Version, Refuse };

struct Options {
    Ask ask = Ask::Window;
    // With Refuse, what was wrong, as a sentence: "Unknown option '--bogus'."
    std::string wrong;
};

// How many words, from word on, the window system takes for itself (its
// option and the value that follows it), or 0 for a word that is Varnel's.
using TakenElsewhere = std::size_t (*)(std::string_view word);

// Reads the words after the program's name. -h and --help ask for the help,
// -v and --version for the version, and the version wins when both are given.
// "--" ends the options. Any other option, or any argument, refuses the whole
// command line, even beside --help, so a mistyped word is never ignored. Words
// that elsewhere claims are skipped unread; without it, none are.
Options ReadOptions(const std::vector<std::string>& words, TakenElsewhere elsewhere = nullptr);

// What a run that does not open the window prints and the status it exits with.
struct Reply {
    std::string text;   // whole lines, each ending in "\n"
    bool error = false; // for the error output, not the standard output
    int status = 0;
};

// The reply to options that ask for something other than the window: the
// help, which names settingsFile, the file this run would use; "Varnel" and
// the version; or the one line saying what was refused, with status 2.
Reply ReplyTo(const Options& options, std::string_view settingsFile);

} // namespace core

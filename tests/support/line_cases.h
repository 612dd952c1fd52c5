#pragma once

// Case files with one input a line: each line's answer is compared with NAME.expected,
// where every line of the answer stands as "N: line", N being the input's line number.
// Blank lines and lines starting with "#" name or group the cases and are not run.

#include <functional>
#include <sstream>
#include <string>

#include "support/expected_file.h"

namespace tw::test {

inline std::string AnswerEachLine(const std::string& text,
                                  const std::function<std::string(const std::string&)>& answer) {
    std::istringstream lines(text);
    std::string answers;
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream out(answer(line));
        std::string outLine;
        while (std::getline(out, outLine)) {
            answers += std::to_string(number) + ": " + outLine + "\n";
        }
    }
    return answers;
}

// A case's text with "\xNN" standing for the byte NN.
inline std::string Unescaped(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0) {
            bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

inline void ExpectLineCases(const std::string& path,
                            const std::function<std::string(const std::string&)>& answer) {
    ExpectMatchesFile(AnswerEachLine(ReadBytes(path), answer), path + ".expected");
}

}  // namespace tw::test

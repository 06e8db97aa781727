#pragma once

#include <string>
#include <vector>

namespace vornik::cli {

// "-" as a file name: standard input where a file is read, standard output
// where one is written ("-o -", "--output -", and the last operand of
// commands whose operands end in OUT). The commands work on file names, so
// standard input is first copied to a file in a private temporary folder
// (named with an extension found from its content, since readers are chosen
// by extension), and output goes to a file there that is copied to standard
// output when the command is done.
class StdStreams {
public:
    StdStreams() = default;
    ~StdStreams();
    StdStreams(const StdStreams&) = delete;
    StdStreams& operator=(const StdStreams&) = delete;

    // Replaces every "-" in args by the file standing for the stream.
    // operandTail: how many arguments at the end came after "--".
    // lastOperandIsOutput: the command's last operand is its OUT (resave).
    // Throws EVornikError when standard input cannot be read.
    void Prepare(const std::string& command, std::vector<std::string>& args, std::size_t operandTail,
                 bool lastOperandIsOutput);

    // Copies the output file, if the command wrote one, to standard output.
    // Returns false (with a message) when that copy fails.
    bool Finish(const std::string& command);

    // The message text with the temporary names put back as "-".
    std::string Describe(const std::string& text) const;

private:
    std::string folder();
    std::string folder_;
    std::string input_;
    std::string output_;
};

// The name to show for a file argument: "-" for the copy of standard input.
std::string ShownFileName(const std::string& path);

// The extension a reader would expect for data beginning with these bytes:
// ".ani", ".ico", ".cur", ".bmp", ".jpg", ".png", ".svg", or ".bin" (a
// content scan, as for an executable).
std::string ExtensionForContent(const unsigned char* data, std::size_t size);

}  // namespace vornik::cli

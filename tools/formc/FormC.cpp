// formc: compiles a text window definition to the binary form, or converts
// a binary definition back to text.
//
//   formc [-I dir]... [--depfile FILE] INPUT.txt OUTPUT.bin
//   formc --to-text INPUT.bin OUTPUT.txt
//
// "@name" inside binary data is looked up in the -I folders, in order. The
// depfile lists the input and every included file, for make.
#include <cstdio>
#include <string>
#include <vector>

#include "ui/ObjText.h"
#include "ui/Streams.h"

namespace {

// The command line: include folders, depfile, direction and the two files.
struct Options {
  std::vector<std::string> includeDirs;
  std::string depFile;
  bool toText = false;
  std::string input;
  std::string output;
};

// Prints the usage and returns the exit code for bad arguments.
int Usage() {
  std::fprintf(stderr,
               "usage: formc [-I dir]... [--depfile FILE] INPUT.txt OUTPUT.bin\n"
               "       formc --to-text INPUT.bin OUTPUT.txt\n");
  return 2;
}

// Reads the command line; false when it is malformed.
bool ParseArgs(int argc, char** argv, Options& options) {
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-I" || arg == "--depfile") {
      if (++i >= argc) return false;
      if (arg == "-I")
        options.includeDirs.push_back(argv[i]);
      else
        options.depFile = argv[i];
    } else if (arg.size() > 2 && arg.compare(0, 2, "-I") == 0) {
      options.includeDirs.push_back(arg.substr(2));
    } else if (arg == "--to-text") {
      options.toText = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return false;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return false;
  options.input = files[0];
  options.output = files[1];
  return true;
}

// A path made safe for a make rule: a backslash before spaces and '#', '$' doubled.
std::string MakeEscaped(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

// Compiles a text definition; fills included with the files it read.
std::vector<uint8_t> Compile(const Options& options, std::vector<std::string>& included) {
  TMemoryStream text(ReadFileBytes(options.input));
  TMemoryStream binary;
  ObjectTextToBinary(text, binary, [&](const std::string& name) {
    for (const std::string& dir : options.includeDirs) {
      const std::string path = dir.empty() ? name : dir + "/" + name;
      if (FileExists(path)) {
        included.push_back(path);
        return ReadFileBytes(path);
      }
    }
    throw EFOpenError("not found in the include folders");
  });
  return binary.Bytes();
}

// Converts a binary definition to text.
std::vector<uint8_t> Decompile(const Options& options) {
  TMemoryStream binary(ReadFileBytes(options.input));
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  return text.Bytes();
}

}  // namespace

// Runs the conversion the command line asks for.
int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, options) || (options.toText && !options.depFile.empty()))
    return Usage();
  try {
    std::vector<std::string> included;
    const std::vector<uint8_t> result =
        options.toText ? Decompile(options) : Compile(options, included);
    WriteFileBytes(options.output, result);
    if (!options.depFile.empty()) {
      std::string rule = MakeEscaped(options.output) + ":";
      rule += " " + MakeEscaped(options.input);
      for (const std::string& path : included) rule += " " + MakeEscaped(path);
      rule += "\n";
      WriteFileBytes(options.depFile, std::vector<uint8_t>(rule.begin(), rule.end()));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "formc: %s: %s\n", options.input.c_str(), e.what());
    std::remove(options.output.c_str());
    return 1;
  }
  return 0;
}

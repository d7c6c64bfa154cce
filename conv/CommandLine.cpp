#include "CommandLine.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "ConvError.h"

namespace {

std::optional<double> parseNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<int> parseCount(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < 0) return std::nullopt;
  return value;
}

[[noreturn]] void badValue(const std::string& option, const std::string& value,
                           const std::string& expected) {
  throw ConvError("option " + option + ": '" + value + "' is not " + expected);
}

// The tag source and target must be this run's own input and output; both may
// hold ":" themselves, so the value is matched as a whole rather than split.
void checkTagPair(const std::string& pair, const ConvRequest& request) {
  if (pair != request.inputPath + ":" + request.outputPath)
    throw ConvError("option -map_meta_data: '" + pair + "' is not INPUT:OUTPUT of this run");
}

}  // namespace

std::optional<int64_t> parseBitRate(const std::string& text) {
  std::string_view digits = text;
  double scale = 1;
  if (!digits.empty() && (digits.back() == 'k' || digits.back() == 'K')) scale = 1e3;
  if (!digits.empty() && digits.back() == 'M') scale = 1e6;
  if (scale != 1) digits.remove_suffix(1);
  auto number = parseNumber(digits);
  if (!number || *number <= 0 || *number * scale > 1e9) return std::nullopt;
  return std::llround(*number * scale);
}

ConvRequest parseCommandLine(const std::vector<std::string>& args) {
  ConvRequest request;
  std::optional<std::string> tagPair;

  using Setter = std::function<void(const std::string& option, const std::string& value)>;
  const std::map<std::string, Setter> valued = {
      {"-i", [&](auto&, auto& v) { request.inputPath = v; }},
      {"-ss",
       [&](auto& o, auto& v) {
         request.cutStart = parseNumber(v);
         if (!request.cutStart) badValue(o, v, "a number of seconds");
       }},
      {"-t",
       [&](auto& o, auto& v) {
         request.cutLength = parseNumber(v);
         if (!request.cutLength) badValue(o, v, "a number of seconds");
         if (*request.cutLength <= 0) badValue(o, v, "a length above 0 seconds");
       }},
      {"-acodec", [&](auto&, auto& v) { request.codecName = v; }},
      {"-ab",
       [&](auto& o, auto& v) {
         request.bitRate = parseBitRate(v);
         if (!request.bitRate) badValue(o, v, "a bitrate such as 192k");
       }},
      {"-ar",
       [&](auto& o, auto& v) {
         request.sampleRate = parseCount(v);
         if (!request.sampleRate || *request.sampleRate == 0) badValue(o, v, "a sample rate in Hz");
       }},
      {"-ac",
       [&](auto& o, auto& v) {
         auto channels = parseCount(v);
         if (!channels) badValue(o, v, "a channel count");
         if (*channels > 0) request.channels = channels;
       }},
      {"-map_meta_data", [&](auto&, auto& v) { tagPair = v; }},
  };
  const std::map<std::string, std::function<void()>> flags = {
      {"-y", [&] { request.overwrite = true; }},
      {"-vn", [] {}},  // only the audio stream is ever written
  };

  std::set<std::string> seen;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (!seen.insert(arg).second) throw ConvError("option " + arg + " given twice");
    if (auto flag = flags.find(arg); flag != flags.end()) {
      flag->second();
    } else if (auto setter = valued.find(arg); setter != valued.end()) {
      if (i + 1 == args.size()) throw ConvError("option " + arg + " needs a value");
      setter->second(arg, args[++i]);
    } else {
      throw ConvError("unknown option " + arg);
    }
  }

  if (request.inputPath.empty()) throw ConvError("no input file given (-i)");
  if (positional.empty()) throw ConvError("no output file given");
  if (positional.size() > 1) throw ConvError("unexpected argument '" + positional.front() + "'");
  request.outputPath = positional.front();
  if (tagPair) {
    checkTagPair(*tagPair, request);
    request.copyTags = true;
  }
  return request;
}

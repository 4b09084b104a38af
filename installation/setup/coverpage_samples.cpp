// The sample coverpage files.
#include "installation/setup/coverpage_samples.h"

#include <vector>

#include "installation/setup/sample_files.h"

namespace pw::setup {
namespace {

constexpr char kStandardRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs28\\b Fax\\b0\\par\\fs20\\par\n"
    "To: <<Recipient>>\\par\nFrom: <<Sender>>\\par\nDate: <<Date>>\\par\n"
    "Pages: <<Pages>>\\par\n}\n";
constexpr char kConfidentialRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs28\\b Confidential Fax\\b0\\par"
    "\\fs20\\par\nTo: <<Recipient>>\\par\nFrom: <<Sender>>\\par\\par\n"
    "This fax is meant for its recipient only.\\par\n}\n";
constexpr char kMemoHtm[] =
    "<html><head><title>Fax memo</title></head><body>\n<h1>Memo</h1>\n"
    "<p>To: &lt;&lt;Recipient&gt;&gt;<br>From: &lt;&lt;Sender&gt;&gt;</p>\n</body></html>\n";

constexpr SampleCoverpage kSamples[] = {
    {"standard.rtf", "Standard", kStandardRtf},
    {"confidential.rtf", "Confidential", kConfidentialRtf},
    {"memo.htm", "Memo", kMemoHtm},
};

}  // namespace

std::span<const SampleCoverpage> SampleCoverpages() { return kSamples; }

SetupStatus EnsureSampleCoverpages(const std::string& server_folder, SetupReport* report) {
  std::vector<SampleFile> files;
  for (const SampleCoverpage& sample : kSamples) files.push_back({sample.file, sample.content});
  return EnsureSampleFiles(server_folder + "/" + kCoverpageFolder, "coverpage", files, report);
}

}  // namespace pw::setup

// A coverage-guided fuzzer over the LandXML reader (libFuzzer): any bytes read as an alignment
// file; every alignment read must run forwards, and a block checked against it at any stations
// must get a verdict. Built by ./run fuzz under the sanitizers.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "alignment/alignment_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sidewalk;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Result<LandXmlFile> file = ParseLandXml(text, "fuzz.xml");
    if (!file) return 0;
    for (const Alignment& a : file->alignments) {
        double at = a.start;
        for (const AlignmentElement& e : a.elements) {
            if (!(e.start == at && e.end > e.start)) std::abort();
            at = e.end;
        }
        const CodedBlock block{1, "FUZZ", "R", 450, a.start, a.Written((a.start + a.end()) / 2)};
        if (CheckBlock(block, a, file->unit, false).text.empty()) std::abort();
    }
    return 0;
}

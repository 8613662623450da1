// LandXML alignments and the check of a job's blocks against one: the elements and stations read
// back, the verdict in each situation, files refused with what is wrong and where, and nothing
// read but the file itself.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "alignment/alignment_check.hpp"
#include "data/number.hpp"
#include "test_support.hpp"

namespace sidewalk {
namespace {

namespace fs = std::filesystem;
const fs::path kData = fs::path(SIDEWALK_TESTS_DIR) / "data";

LandXmlFile Read(const std::string& name) {
    Result<LandXmlFile> file = ReadLandXml(kData / name);
    if (!file) ADD_FAILURE() << file.error().text;
    return file.value_or({});
}

// "kind [turn radius] start-end; " for each element, then "eq internal back>ahead; ".
std::string Elements(const Alignment& a) {
    const char* kinds[] = {"line", "curve", "spiral"};
    std::string out;
    for (const AlignmentElement& e : a.elements)
        out += kinds[static_cast<int>(e.kind)] +
               std::string(e.turn == Turn::None   ? ""
                           : e.turn == Turn::Left ? " L"
                                                  : " R") +
               (e.radius > 0 ? " " + Format(e.radius, "0.000") : "") + " " +
               Format(e.start, "0.000") + "-" + Format(e.end, "0.000") + "; ";
    for (const StationEquation& q : a.equations)
        out += "eq " + Format(q.internal, "0.0") + " " + Format(q.back, "0.0") + ">" +
               Format(q.ahead, "0.0") + "; ";
    return out;
}

struct ReadRow {
    std::string name, file, alignment;
    AlignmentUnit unit;
    std::string elements;
};
class ReadingLandXml : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadingLandXml, GivesTheElementsAlongTheStations) {
    const ReadRow& r = GetParam();
    const LandXmlFile file = Read(r.file);
    EXPECT_EQ(file.unit, r.unit);
    ASSERT_NE(file.Find(r.alignment), nullptr);
    EXPECT_EQ(Elements(*file.Find(r.alignment)), r.elements);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, ReadingLandXml, testing::ValuesIn(std::vector<ReadRow>{
    {"feet, in the namespace", "alignment-feet.xml", "TEST ST", AlignmentUnit::Feet,
     "line 1000.000-1300.000; curve R 500.000 1300.000-1400.000; spiral L 1400.000-1500.000; "
     "curve L 400.000 1500.000-1700.000; line 1700.000-2000.000; eq 1900.0 1900.0>2000.0; "},
    {"metres, prefixed", "alignment-metric.xml", "RING RD", AlignmentUnit::Metres,
     "curve L 150.000 0.000-100.000; line 100.000-200.000; "},
    {"stations stepping back", "alignment-metric.xml", "SPUR", AlignmentUnit::Metres,
     "line 500.000-800.000; eq 600.0 600.0>550.0; "},
}), test::RowName());
// clang-format on

struct VerdictRow {
    std::string name, file, alignment;
    bool metricJob;
    CodedBlock block;
    std::string verdict;
};
class Checking : public testing::TestWithParam<VerdictRow> {};

TEST_P(Checking, GivesTheVerdict) {
    const VerdictRow& r = GetParam();
    const LandXmlFile file = Read(r.file);
    ASSERT_NE(file.Find(r.alignment), nullptr);
    EXPECT_EQ(CheckBlock(r.block, *file.Find(r.alignment), file.unit, r.metricJob).text, r.verdict);
}

const std::string kFeet = "alignment-feet.xml", kMetric = "alignment-metric.xml";
CodedBlock Coded(const char* direction, double radius, double from, double to) {
    return {1, "BLOCK", direction, radius, from, to};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Blocks, Checking, testing::ValuesIn(std::vector<VerdictRow>{
    {"on the line, tangent", kFeet, "TEST ST", false, Coded("T", 0, 1050, 1250), "agrees"},
    {"on the line, coded left", kFeet, "TEST ST", false, Coded("L", 450, 1050, 1250), "differs: the alignment runs on a tangent here; coded Left 450.000"},
    {"on the right curve", kFeet, "TEST ST", false, Coded("R", 500, 1310, 1390), "agrees"},
    {"radius within a hundredth", kFeet, "TEST ST", false, Coded("R", 500.0099, 1310, 1390), "agrees"},
    {"radius off by more", kFeet, "TEST ST", false, Coded("R", 500.0101, 1310, 1390), "differs: the alignment curves Right with radius 500.000 here; coded Right 500.010"},
    {"tangent on a curve", kFeet, "TEST ST", false, Coded("T", 0, 1550, 1650), "differs: the alignment curves Left with radius 400.000 here; coded Tangent"},
    {"curving the wrong way", kFeet, "TEST ST", false, Coded("R", 400, 1550, 1650), "differs: the alignment curves Left with radius 400.000 here; coded Right 400.000"},
    {"returns at the PC", kFeet, "TEST ST", false, Coded("T", 0, 1000, 1300), "agrees"},
    {"across the PC", kFeet, "TEST ST", false, Coded("T", 0, 1200, 1350), "crosses a change of curvature at 13+00.000 (line to curve): split the block there"},
    {"into the spiral", kFeet, "TEST ST", false, Coded("R", 500, 1350, 1450), "crosses a change of curvature at 14+00.000 (curve to spiral): split the block there"},
    {"along the spiral", kFeet, "TEST ST", false, Coded("L", 450, 1420, 1480), "crosses a change of curvature: a spiral runs from 14+00.000 to 15+00.000 here, so no one radius is right"},
    {"before the start", kFeet, "TEST ST", false, Coded("T", 0, 950, 1100), "outside the alignment's stations 10+00.000 to 21+00.000"},
    {"in the equation's gap", kFeet, "TEST ST", false, Coded("T", 0, 1850, 1950), "outside the alignment's stations 10+00.000 to 21+00.000"},
    {"after the equation", kFeet, "TEST ST", false, Coded("T", 0, 2010, 2090), "agrees"},
    {"no closing return", kFeet, "TEST ST", false, {1, "B", "T", 0, 1050, {}}, "not checked: the block has no closing return"},
    {"metric", kMetric, "RING RD", true, Coded("L", 150.0029, 10, 90), "agrees"},
    {"metric radius off by 4 mm", kMetric, "RING RD", true, Coded("L", 150.004, 10, 90), "differs: the alignment curves Left with radius 150.000 here; coded Left 150.004"},
    {"English job, metric alignment", kMetric, "RING RD", false, Coded("L", 492.126, 32.8, 295.2), "agrees"},
    {"stations stepping back: the first stretch", kMetric, "SPUR", true, Coded("L", 100, 520, 590), "differs: the alignment runs on a tangent here; coded Left 100.000"},
    {"stations stepping back: past the step", kMetric, "SPUR", true, Coded("T", 0, 560, 740), "agrees"},
    {"stations stepping back: across the step", kMetric, "SPUR", true, Coded("T", 0, 520, 740), "agrees"},
}), test::RowName());
// clang-format on

struct RefusedRow {
    std::string name, text, message;
};
class Refusing : public testing::TestWithParam<RefusedRow> {};

TEST_P(Refusing, SaysWhatIsWrongAndWhere) {
    const Result<LandXmlFile> file = ParseLandXml(GetParam().text, "A.xml");
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error().text, "The alignment file A.xml cannot be used: " + GetParam().message);
}

const std::string kUnits = "<LandXML><Units><Metric linearUnit=\"meter\"/></Units>\n";
// A file of one alignment with these elements, which begin on line 2.
std::string With(const std::string& elements) {
    return kUnits + "<Alignments><Alignment><CoordGeom>" + elements +
           "</CoordGeom></Alignment></Alignments></LandXML>";
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, Refusing, testing::ValuesIn(std::vector<RefusedRow>{
    {"not XML", "<LandXML>\n<Units>\n</LandXML>", "it is not XML: Start-end tags mismatch at line 3"},
    {"not LandXML", "<gpx/>", "it is XML but not LandXML (its root is gpx)"},
    {"no units", "<LandXML><Alignments/></LandXML>", "it names no units (LandXML/Units/Imperial or Metric)"},
    {"a unit not known", "<LandXML><Units><Imperial linearUnit=\"mile\"/></Units></LandXML>", "Imperial at line 1: the linear unit \"mile\" is not one of foot, USSurveyFoot or meter"},
    {"no alignment", kUnits + "<Alignments/></LandXML>", "it holds no alignment"},
    {"no element", kUnits + "<Alignments><Alignment name=\"A\"/></Alignments></LandXML>", "Alignment at line 2: the alignment \"A\" has no line or curve"},
    {"a curve without a radius", With("\n<Curve rot=\"cw\" length=\"5\"/>"), "Curve at line 3: it has no radius"},
    {"a radius that is no number", With("<Curve rot=\"cw\" radius=\"4x5\"/>"), "Curve at line 2: radius \"4x5\" is no number"},
    {"a curve turning neither way", With("<Curve radius=\"45\" length=\"5\"/>"), "Curve at line 2: its rot \"\" is neither cw nor ccw"},
    {"a line without a length", With("<Line/>"), "Line at line 2: it has no length, nor the points to give one"},
    {"a point that is no number", With("<Line><Start>0 0</Start><End>5 x</End></Line>"), "Line at line 2: it has no length, nor the points to give one"},
    {"a curve without its centre", With("<Curve rot=\"cw\" radius=\"5\"><Start>0 0</Start><End>1 1</End></Curve>"), "Curve at line 2: it has no length, nor the points to give one"},
    {"an element not where the one before ends", With("<Line length=\"5\"/><Line staStart=\"9\" length=\"5\"/>"), "Line at line 2: its staStart 9 is not where the elements before it end (5.000)"},
    {"stations past any street's", With("<Line length=\"2e9\"/>"), "Line at line 2: its stations are past any street's"},
    {"geometry it cannot follow", With("<IrregularLine length=\"9\"/>"), "IrregularLine at line 2: it is not a line, curve or spiral, which is all a check can follow"},
    {"stations running backwards", kUnits + "<Alignments><Alignment staStart=\"100\"><CoordGeom><Line length=\"50\"/></CoordGeom>\n<StaEquation staInternal=\"90\" staAhead=\"0\"/></Alignment></Alignments></LandXML>",
     "StaEquation at line 3: its staInternal 90 is not after the one before, within the alignment: the stations run backwards"},
}), test::RowName());
// clang-format on

// A document type's entities are never loaded: a file named by one is not read, and no network
// address is asked for.
TEST(Refusing, NeitherATypeNorAnEntityIsLoaded) {
    const test::Scratch dir;
    test::WriteText(dir / "secret", "SECRET");
    const std::string text =
        "<!DOCTYPE LandXML [<!ENTITY s SYSTEM \"file://" + (dir / "secret").string() +
        "\"><!ENTITY n SYSTEM " + "\"http://192.0.2.1/x\">]>\n" + kUnits +
        "<Alignments><Alignment name=\"&s;&n;\"><CoordGeom><Line length=\"5\"/>"
        "</CoordGeom></Alignment></Alignments></LandXML>";
    const Result<LandXmlFile> file = ParseLandXml(text, "A.xml");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->alignments[0].name, "&s;&n;");
}

TEST(Refusing, AHugeFileUnread) {
    const test::Scratch dir;
    test::WriteText(dir / "huge.xml", "<LandXML>");
    fs::resize_file(dir / "huge.xml", kMaxLandXmlBytes + 1); // sparse: no disk used
    const Result<LandXmlFile> file = ReadLandXml(dir / "huge.xml");
    ASSERT_FALSE(file);
    EXPECT_NE(file.error().text.find("is larger than 64 MB and was not read"), std::string::npos);
}

} // namespace
} // namespace sidewalk

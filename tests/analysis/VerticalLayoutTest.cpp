#include "analysis/ModuleCalcEsforcos.h"
#include "analysis/ModuleCalcEsforcos_AsV.h"
#include "analysis/ModuleFormulas.h"
#include "analysis/ThicknessReview.h"
#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "design/ModuleDimFlex.h"
#include "design/ModulersvARM.h"
#include "settings/ApplySettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

using namespace ModuleCalcEsforcos_AsV;

namespace {

/// The default project as the input chain leaves it: every window at its load-time values, the
/// factory calculation parameters applied, the thicknesses reset to the minimum.
class Project
{
public:
    explicit Project(bool buried, FixedRegionalSettings regional = FixedRegionalSettings::enUS())
        : ctx(std::make_unique<FixedRegionalSettings>(regional))
    {
        ApplySettings(ctx);
        const FormModel &geo = ctx.forms.FormDadosGeometricos;
        CopyGeometry(s, geo.text("Text_a"), geo.text("Text_b"), geo.text("Text_h"),
                     geo.text("Text_hn"));
        const FormModel &lid = ctx.forms.FormPosTampa;
        CopyLidData(s, lid.text("Text_Lx"), lid.text("Text_Ly"), lid.text("Text_X"),
                    lid.text("Text_Y"), lid.text("TextqA"));
        // The chain passes the buried-tank window only for a buried tank.
        if (buried) {
            const FormModel &soil = ctx.forms.FormDadosEnterrada;
            const auto read = [&soil](const char *name) {
                return ToSingle(TextToNumber(soil.text(name), "0.00"));
            };
            CopyBuriedData(s, soil.text("ComboSolo"), read("TextGama"), read("TextAngSolo"),
                           read("Textht"), read("Textqt"), read("Texthna"), read("TextAngTerreno"));
        }
        ResetThicknesses(s);
        ctx.forms.FormTipoElev.setState("OptionElevada", buried ? 0 : 1);
        ctx.forms.FormTipoElev.setState("OptionEnterrada", buried ? 1 : 0);
        s.calcState = (buried ? kBuriedTank : kElevatedTank) + kVerticalLayout;
    }

    /// Header, loads and the moment step, as the review's re-run does them.
    void Moments()
    {
        ModuleCalcEsforcos::WriteResultsHeader(ctx);
        ModuleCalcEsforcos::ComputeLoads(ctx);
        VerticalFrameMoments(ctx);
    }

    const std::string &Field(int i) const { return ctx.results.Text_a[static_cast<size_t>(i)]; }
    double Value(int i) const { return TextToNumber(Field(i), "0.00"); }

    CalcContext ctx;
    DesignState &s = ctx.state;
};

// ---- A minimal reader for the reference files: objects, arrays and strings -----------------

struct Json
{
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> members;

    const Json &operator[](const std::string &key) const { return members.at(key); }
    const Json &operator[](size_t i) const { return items.at(i); }
};

class JsonReader
{
public:
    explicit JsonReader(std::string source) : m_s(std::move(source)) { }

    Json Value()
    {
        Skip();
        Json v;
        const char c = m_s.at(m_i);
        if (c == '{') {
            ++m_i;
            while (Next() != '}') {
                const std::string key = String();
                Expect(':');
                v.members[key] = Value();
                if (Next() == ',')
                    ++m_i;
            }
            ++m_i;
        } else if (c == '[') {
            ++m_i;
            while (Next() != ']') {
                v.items.push_back(Value());
                if (Next() == ',')
                    ++m_i;
            }
            ++m_i;
        } else if (c == '"') {
            v.text = String();
        } else {
            while (m_i < m_s.size()
                   && std::string_view(",]} \r\n\t").find(m_s[m_i]) == std::string_view::npos)
                v.text += m_s[m_i++];
        }
        return v;
    }

private:
    void Skip()
    {
        while (m_i < m_s.size() && std::isspace(static_cast<unsigned char>(m_s[m_i])))
            ++m_i;
    }
    char Next()
    {
        Skip();
        return m_s.at(m_i);
    }
    void Expect(char c)
    {
        if (Next() != c)
            throw std::runtime_error(std::string("JSON: expected ") + c);
        ++m_i;
    }
    std::string String()
    {
        Expect('"');
        std::string out;
        while (m_s.at(m_i) != '"') {
            if (m_s[m_i] == '\\')
                ++m_i;
            out += m_s.at(m_i++);
        }
        ++m_i;
        return out;
    }

    std::string m_s;
    size_t m_i = 0;
};

/// The reference results of the default project (tests/analysis/reference: copies of the
/// default-<kind>-vertical.json files computed independently of this program).
Json ReadReference(const std::string &name)
{
    std::ifstream file(std::string(RESERVIUM_REFERENCE_DIR) + "/" + name);
    if (!file)
        throw std::runtime_error("cannot read the reference " + name);
    std::stringstream content;
    content << file.rdbuf();
    return JsonReader(content.str()).Value();
}

/// A reference text as the results show it in the given regional settings.
std::string Regional(std::string text, bool brazil)
{
    if (brazil)
        for (char &c : text)
            if (c == '.')
                c = ',';
    return text;
}

// ---- The default project against the independently computed reference ---------------------

/// Buried or elevated; Brazilian or American regional settings. The Brazilian runs read every
/// field back from texts with a decimal comma.
class DefaultProjectReference : public ::testing::TestWithParam<std::tuple<bool, bool>>
{
};

TEST_P(DefaultProjectReference, MatchesResultsThicknessesAndPositions)
{
    const auto [buried, brazil] = GetParam();
    const Json ref = ReadReference(std::string("default-") + (buried ? "buried" : "elevated")
                                   + "-vertical.json");
    Project p(buried, brazil ? FixedRegionalSettings::ptBR() : FixedRegionalSettings::enUS());
    CalculateVerticalTank(p.ctx);
    const DesignState &s = p.s;

    EXPECT_EQ(Int16Text(s.calcState), ref["calcState"].text);
    EXPECT_EQ(SingleTextC(s.thicknessEt), ref["thicknesses"]["thicknessEt"].text);
    EXPECT_EQ(SingleTextC(s.thicknessEp), ref["thicknesses"]["thicknessEp"].text);
    EXPECT_EQ(SingleTextC(s.thicknessEf), ref["thicknesses"]["thicknessEf"].text);
    for (size_t i = 0; i < 66; ++i)
        EXPECT_EQ(p.ctx.results.Text_a[i], Regional(ref["Text_a"][i].text, brazil))
                << "Text_a(" << i << ")";
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(p.ctx.results.Text_hn[i], Regional(ref["Text_hn"][i].text, brazil))
                << "Text_hn(" << i << ")";

    for (int n = 1; n <= 20; ++n) {
        SCOPED_TRACE("position " + std::to_string(n));
        const RebarPosition &pos = p.ctx.rebarPosition(n);
        const Json &r = ref["positions"][static_cast<size_t>(n - 1)];
        EXPECT_EQ(pos.N, r["N"].text);
        EXPECT_EQ(SingleTextC(pos.ARE), r["ARE"].text);
        EXPECT_EQ(Int16Text(pos.NVZ), r["NVZ"].text);
        EXPECT_EQ(Int16Text(pos.NBR), r["NBR"].text);
        EXPECT_EQ(SingleTextC(pos.gauge.diameterMm), r["FI"].text);
        EXPECT_EQ(SingleTextC(pos.C), r["C"].text);
        EXPECT_EQ(SingleTextC(pos.CMP), r["CMP"].text);
        EXPECT_EQ(SingleTextC(pos.MK), r["MK"].text);
        EXPECT_EQ(SingleTextC(pos.D), r["D"].text);
        EXPECT_EQ(SingleTextC(pos.BW), r["BW"].text);
        EXPECT_EQ(SingleTextC(pos.DIST), r["DIST"].text);
        EXPECT_EQ(ModulersvARM::ArrangementText(pos, true, p.ctx.regional()),
                  Regional(r["description"].text, brazil));
        EXPECT_EQ(pos.BADAS, 0);
        EXPECT_EQ(pos.OUTAS, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(VerticalLayout, DefaultProjectReference,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param) ? "Buried" : "Elevated")
                                     + (std::get<1>(info.param) ? "Brazil" : "US");
                         });

// ---- Moment step --------------------------------------------------------------------------

TEST(VerticalFrameMoments, ElevatedTankSigns)
{
    // Default elevated tank at the minimum thickness of 10 cm, Brazilian settings.
    Project p(false, FixedRegionalSettings::ptBR());
    p.Moments();

    // The water on the bottom is positive and its factor −1: −2410 · 2.56² / 8 = −1974.272.
    EXPECT_EQ(p.Field(26), "-1974,27");
    // An empty elevated tank carries nothing on walls and bottom: zeros, without a sign.
    EXPECT_EQ(p.Field(33), "0");
    EXPECT_EQ(p.Field(35), "0");
    // Its corner moments come from the lid alone: −50 − 0.10 · 2500 = −300, magnitude 300.
    const auto lidOnly =
            ModuleFormulas::ClosedFrameCornerMoments(p.s, 300, 2.56f, 0, 2.61f, 0, 2.56f);
    EXPECT_EQ(p.Value(32), TextToNumber(lidOnly.top, "0.00"));
    EXPECT_EQ(p.Value(31), TextToNumber(lidOnly.bottom, "0.00"));
    EXPECT_EQ(p.Field(31), "-20,58"); // the lid load alone turns the bottom corner negative
    // The lid span 300 · 2.56² / 8 = 245.76 in both cases, shown positive.
    EXPECT_EQ(p.Field(27), "245,76");
    EXPECT_EQ(p.Field(37), "245,76");
    // "Mt-": 245.76 − 247.57 = −1.81 (full) against 245.76 − 101.71 = 144.05 (empty) → 144.
    EXPECT_EQ(p.Field(29), "247,57");
    EXPECT_EQ(p.Field(32), "101,71");
    EXPECT_EQ(p.Field(44), "144");
    // "Mf-": −1974.27 − 1176.38 = −3150.65 (full) against 0 − (−20.58) (empty) → 3151.
    EXPECT_EQ(p.Field(30), "1176,38");
    EXPECT_EQ(p.Field(42), "3151");
}

TEST(VerticalFrameMoments, BuriedTankWhoseEarthWinsShowsNegativeFullMoments)
{
    // Water level 0.5 m: B = 500 against E = −746 and F = −281, so B + E + F = −527.
    Project p(true);
    p.s.waterLevelHn = 0.5f;
    p.Moments();
    ASSERT_LT(p.s.wallWaterLoad + p.s.soilThrust + p.s.groundWaterThrust, 0);

    for (int full : { 24, 29, 30 }) // "My1+", "Xy1+", "Xy2+"
        EXPECT_LT(p.Value(full), 0) << "Text_a(" << full << ")";
    for (int empty : { 31, 32, 33 }) // the empty tank's walls: earth alone, shown positive
        EXPECT_GT(p.Value(empty), 0) << "Text_a(" << empty << ")";
    for (int combined : { 38, 39, 40, 42, 44 })
        EXPECT_GT(p.Value(combined), 0) << "Text_a(" << combined << ")";
    // "Xya+" and "Xyb+" are the larger whole magnitudes of the two cases' corners.
    EXPECT_EQ(p.Value(39),
              std::max(std::fabs(std::round(p.Value(29))), std::fabs(std::round(p.Value(32)))));
    EXPECT_EQ(p.Value(38),
              std::max(std::fabs(std::round(p.Value(30))), std::fabs(std::round(p.Value(31)))));
}

TEST(VerticalFrameMoments, WallMomentTieTakesTheFullTanksCorner)
{
    // Loads set directly: full wall 2001 − 1001 = 1000, empty wall 1001 (earth), bottom 1600
    // in both cases, lid 300. The wall spans 1000 · 2.61² / 15.6 = 436.67 and 1001 · 2.61² /
    // 15.6 = 437.11 are both 437; the corners are 679.496 (full) and 679.653 (empty).
    Project p(true);
    DesignState &s = p.s;
    s.wallWaterLoad = 2001;
    s.soilThrust = -1001;
    s.groundWaterThrust = 0;
    s.bottomReaction = -1600;
    s.upliftPressure = 0;
    const auto full =
            ModuleFormulas::ClosedFrameCornerMoments(s, 300, 2.56f, 1000, 2.61f, 1600, 2.56f);
    const auto empty =
            ModuleFormulas::ClosedFrameCornerMoments(s, 300, 2.56f, 1001, 2.61f, 1600, 2.56f);
    ASSERT_EQ(ModuleFormulas::GoverningMagnitude(full.top, full.bottom), 679.0f);
    ASSERT_EQ(ModuleFormulas::GoverningMagnitude(empty.top, empty.bottom), 680.0f);

    VerticalFrameMoments(p.ctx);
    EXPECT_EQ(p.Field(24), "436.67");
    EXPECT_EQ(p.Field(33), "437.11");
    EXPECT_EQ(p.Field(40), "1116"); // 437 + 679, not 437 + 680

    // With the empty wall at 1002 its span, 437.55, rounds to 438 and the empty case governs.
    s.soilThrust = -1002;
    s.wallWaterLoad = 2002;
    VerticalFrameMoments(p.ctx);
    const auto emptier =
            ModuleFormulas::ClosedFrameCornerMoments(s, 300, 2.56f, 1002, 2.61f, 1600, 2.56f);
    EXPECT_EQ(p.Field(40),
              Int16Text(static_cast<std::int16_t>(
                      438 + ModuleFormulas::GoverningMagnitude(emptier.top, emptier.bottom))));
}

// ---- Positions ----------------------------------------------------------------------------

TEST(VerticalPositions, SpreadLengths)
{
    // h = 2.61 m, cover 2.5 cm, et = 0.12 m, ef = 0.15 m, ep = 0.20 m, a = 2.79 m, b = 2.56 m;
    // the hatch's base point at Lx = 0.60 m, Ly = 0.80 m, the hatch itself 1.20 × 0.70 m.
    for (const bool buried : { true, false }) {
        SCOPED_TRACE(buried ? "buried" : "elevated");
        Project p(buried);
        DesignState &s = p.s;
        s.minCover = 2.5f;
        s.thicknessEt = 0.12f;
        s.thicknessEf = 0.15f;
        s.thicknessEp = 0.20f;
        s.hatchLx = 0.60f;
        s.hatchLy = 0.80f;
        s.hatchX = 1.20f;
        s.hatchY = 0.70f;
        p.Moments();
        VerticalPositions(p.ctx);

        const struct
        {
            int position;
            float dist; // cm
            float depth; // cm
        } cases[] = {
            { 1, 256 - 5, 12 }, // b − 2·cov
            { 2, 279 - 5, 12 }, // a − 2·cov
            { 3, 256 - 40, 20 }, // b − 2·ep
            { 4, 279 - 40, 20 }, // a − 2·ep
            { 5, 256 - 5, 15 },   { 6, 279 - 5, 15 },       { 7, 256 - 40, 15 },
            { 8, 279 - 40, 15 },  { 9, 256 - 40, 20 },      { 10, 279 - 40, 20 },
            { 11, 279 - 5, 20 },  { 12, 261 - 5 - 12, 20 }, // h − 2·cov − et = 244
            { 13, 279 - 40, 20 }, { 14, 261 - 27, 20 }, // h − (ef + et) = 234
            { 15, 256 - 5, 20 },  { 16, 261 - 5, 20 }, // h − 2·cov
            { 17, 256 - 40, 20 }, { 18, 261 - 27, 20 },     { 19, 261 - 27, 20 },
            { 20, 60, 12 }, // the smaller base-point coordinate, not a hatch size
        };
        for (const auto &c : cases) {
            const RebarPosition &pos = p.ctx.rebarPosition(c.position);
            EXPECT_FLOAT_EQ(pos.DIST, c.dist) << "position " << c.position;
            EXPECT_FLOAT_EQ(pos.D, c.depth) << "position " << c.position;
            EXPECT_EQ(pos.BW, 100.0f);
        }
    }
}

TEST(VerticalPositions, MomentsByKindOfTank)
{
    // Which positions carry a moment, and which: the combination fields as shown, the wall
    // panel's plates, and for an elevated tank the bottom as a simple span.
    for (const bool buried : { true, false }) {
        SCOPED_TRACE(buried ? "buried" : "elevated");
        Project p(buried);
        p.Moments();
        const float b = p.s.lengthB;
        const float h = p.s.heightH;
        const auto loads = ModuleCalcEsforcos::ComputeCaseLoads(p.s);
        const auto simply = ModuleFormulas::MarcusPlateMoments(
                ModuleFormulas::kStripSimplySupported, ModuleFormulas::kStripSimplySupported, b, h,
                loads.wallLoadFull);
        const auto fixed = ModuleFormulas::MarcusPlateMoments(
                ModuleFormulas::kStripFixed, ModuleFormulas::kStripFixed, b, h, loads.wallLoadFull);
        VerticalPositions(p.ctx);

        std::map<int, float> expected = {
            { 2, ToSingle(p.Value(44)) },  { 4, ToSingle(p.Value(39)) },
            { 10, ToSingle(p.Value(38)) }, { 11, ToSingle(p.Value(40)) },
            { 15, ToSingle(simply.My) },   { 16, ToSingle(fixed.Mx) },
            { 19, ToSingle(fixed.Xx) },
        };
        if (buried) {
            expected[8] = ToSingle(p.Value(42));
        } else {
            expected[3] = expected[9] = ToSingle(fixed.Xy);
            expected[6] = 2410.0f * 2.56f * 2.56f / 8.0f; // C · b² / 8 = 1974.272
        }
        for (int n = 1; n <= 20; ++n) {
            const auto it = expected.find(n);
            const float mk = it == expected.end() ? 0.0f : it->second;
            EXPECT_FLOAT_EQ(p.ctx.rebarPosition(n).MK, mk) << "position " << n;
        }
        // The designed list: labels, repetitions and an arrangement for every position.
        for (int n = 1; n <= 20; ++n) {
            EXPECT_EQ(p.ctx.rebarPosition(n).N, std::to_string(n));
            EXPECT_GT(p.ctx.rebarPosition(n).NBR, 0);
        }
    }
}

TEST(VerticalPositions, PlateMomentsOfWallsPushedInByTheEarthAreDesignedByMagnitude)
{
    // Buried 2.6 m deep with 0.3 m of water and no ground water: B + E + F = −1814, so every
    // plate moment of the wall is negative. Read literally, the section design would give them
    // the minimum steel whatever their size.
    Project p(true);
    p.s.buryHeightHt = 2.6f;
    p.s.waterLevelHn = 0.3f;
    p.s.waterTableHna = 0;
    p.Moments();
    const auto loads = ModuleCalcEsforcos::ComputeCaseLoads(p.s);
    ASSERT_EQ(loads.wallLoadFull, -1814.0f);
    const auto simply = ModuleFormulas::MarcusPlateMoments(
            ModuleFormulas::kStripSimplySupported, ModuleFormulas::kStripSimplySupported,
            p.s.lengthB, p.s.heightH, loads.wallLoadFull);
    const auto fixed = ModuleFormulas::MarcusPlateMoments(ModuleFormulas::kStripFixed,
                                                          ModuleFormulas::kStripFixed, p.s.lengthB,
                                                          p.s.heightH, loads.wallLoadFull);
    ASSERT_LT(fixed.Xx, 0);
    VerticalPositions(p.ctx);

    EXPECT_FLOAT_EQ(p.ctx.rebarPosition(15).MK, ToSingle(-simply.My));
    EXPECT_FLOAT_EQ(p.ctx.rebarPosition(16).MK, ToSingle(-fixed.Mx));
    EXPECT_FLOAT_EQ(p.ctx.rebarPosition(19).MK, ToSingle(-fixed.Xx));
    // The edge moment 514.5 kgf·m/m at 10 cm needs 1.73 cm²/m, more than the minimum 1.5.
    const RebarPosition &edge = p.ctx.rebarPosition(19);
    EXPECT_FLOAT_EQ(edge.ARE, 1.73f);
    EXPECT_GT(edge.ARE, ModuleDimFlex::MinSteelArea(p.s.asMinPercent2, edge.D));
}

// ---- Thickness review ---------------------------------------------------------------------

/// Writes design moments into the combination fields, as if the moment step had shown them.
void ShowCombinations(Project &p, const char *lid, const char *topCorner, const char *wall,
                      const char *bottomCorner, const char *bottom)
{
    p.ctx.results.Text_a[44] = lid;
    p.ctx.results.Text_a[39] = topCorner;
    p.ctx.results.Text_a[40] = wall;
    p.ctx.results.Text_a[38] = bottomCorner;
    p.ctx.results.Text_a[42] = bottom;
}

TEST(ReviewThicknessesVertical, SufficientThicknessesRaiseWallAndBottomOnce)
{
    Project p(true);
    DesignState &s = p.s;
    s.crackCheckOn = 0;
    s.thicknessEt = s.thicknessEp = s.thicknessEf = 0.30f;
    p.Moments();
    ReviewThicknessesVertical(p.ctx);

    EXPECT_EQ(s.thicknessEt, 0.30f);
    EXPECT_EQ(s.thicknessEp, 0.30f + 0.01f);
    EXPECT_EQ(s.thicknessEf, 0.30f + 0.01f);
    // The fields show the final thicknesses and the moments computed for them.
    EXPECT_EQ(p.Field(4), "0.3");
    EXPECT_EQ(p.Field(5), "0.31");
    EXPECT_EQ(p.Field(6), "0.31");
    const ResultsFields shown = p.ctx.results;
    VerticalFrameMoments(p.ctx);
    EXPECT_EQ(p.ctx.results.Text_a, shown.Text_a);
    // With the crack check off the crack results stay empty records.
    for (const CrackCheck &c : s.crackResults) {
        EXPECT_EQ(c.w, 0.0f);
        EXPECT_EQ(c.ok, 0);
    }
}

TEST(ReviewThicknessesVertical, EachMemberTakesTheLargestOfItsFields)
{
    // Lid: "Mt-" 300 against "Xya+" 700; wall: "My+" 2000, "Xya+" 700, "Xyb+" 1200; bottom:
    // "Mf-" 900 against "Xyb+" 1200. Each member, from 5 cm, ends at the first centimetre step
    // at or above the requirement of its governing moment.
    Project p(true);
    DesignState &s = p.s;
    s.crackCheckOn = 0;
    s.thicknessEt = s.thicknessEp = s.thicknessEf = 0.05f;
    ShowCombinations(p, "300", "700", "2000", "1200", "900");
    const auto req = [&p](float moment) {
        return ThicknessReview::RequiredThicknessFor(p.ctx, moment);
    };
    // The requirements lie far enough apart for a wrong field to show.
    ASSERT_GT(req(700) - req(300), 1.0f);
    ASSERT_GT(req(2000) - req(1200), 1.0f);
    ASSERT_GT(req(1200) - req(900), 1.0f);

    ReviewThicknessesVertical(p.ctx);
    const struct
    {
        const char *member;
        float thickness;
        float moment;
    } cases[] = { { "lid", s.thicknessEt, 700 },
                  { "wall", s.thicknessEp, 2000 },
                  { "bottom", s.thicknessEf, 1200 } };
    for (const auto &c : cases) {
        EXPECT_GE(c.thickness * 100.0f, req(c.moment)) << c.member;
        EXPECT_LT(c.thickness * 100.0f - 1.0f, req(c.moment)) << c.member;
    }
}

TEST(ReviewThicknessesVertical, LidShortByTwoAndAHalfCentimetresTakesThreeRaises)
{
    Project p(true);
    DesignState &s = p.s;
    s.crackCheckOn = 0;
    s.thicknessEp = s.thicknessEf = 0.30f;
    ShowCombinations(p, "600", "0", "0", "0", "0");
    const float req = ThicknessReview::RequiredThicknessFor(p.ctx, 600);
    const float start = (req - 2.5f) / 100.0f;
    s.thicknessEt = start;
    ReviewThicknessesVertical(p.ctx);

    EXPECT_EQ(s.thicknessEt, start + 0.01f + 0.01f + 0.01f);
    // The last raise was followed by a re-run: the header shows the final lid.
    EXPECT_EQ(p.Value(4), TextToNumber(s.thicknessEt, "0.00"));
    EXPECT_EQ(s.thicknessEp, 0.30f + 0.01f);
    EXPECT_EQ(s.thicknessEf, 0.30f + 0.01f);
}

TEST(ReviewThicknessesVertical, FailedCrackCheckRaisesTwoCentimetresPerPass)
{
    // Wall moment 500 kgf·m/m from 11 cm: the crack width is 0.0066 cm at 12 cm and 0.0048
    // cm at 13 cm. With an allowed width of 0.006 cm the check fails at 12 cm; the failure
    // raises to 13 cm at once and the next pass checks at 14 cm, which passes.
    Project p(true);
    DesignState &s = p.s;
    s.crackCheckOn = -1;
    s.maxCrackWidth = 0.006f;
    s.thicknessEt = 0.30f;
    s.thicknessEp = 0.11f;
    s.thicknessEf = 0.30f;
    ShowCombinations(p, "0", "0", "500", "0", "0");

    const auto check = [&s](float t) {
        const float depth = t * 100.0f;
        return ModuleDimFlex::CrackWidth(100, depth, s.concreteFck, s.gammaConcrete, 500,
                                         ModuleDimFlex::SteelArea(s, 500, depth),
                                         s.crackRefGauge.diameterMm, s.maxCrackWidth);
    };
    const float first = 0.11f + 0.01f;
    const float skipped = first + 0.01f;
    const float second = skipped + 0.01f;
    ASSERT_GE(first * 100.0f, ThicknessReview::RequiredThicknessFor(p.ctx, 500));
    ASSERT_EQ(check(first).ok, 0);
    ASSERT_NE(check(skipped).ok, 0); // a single step would have stopped here
    ASSERT_NE(check(second).ok, 0);

    ReviewThicknessesVertical(p.ctx);
    EXPECT_EQ(s.thicknessEp, second);
    // The wall's last check is stored first, the bottom's (moment 0: no crack) second.
    const CrackCheck wall = check(second);
    EXPECT_EQ(s.crackResults[0].w, wall.w);
    EXPECT_EQ(s.crackResults[0].sigma, wall.sigma);
    EXPECT_EQ(s.crackResults[0].ok, -1);
    EXPECT_EQ(s.crackResults[1].w, 0.0f);
    EXPECT_EQ(s.crackResults[1].ok, -1);
    EXPECT_EQ(s.thicknessEf, 0.30f + 0.01f);
}

// ---- The whole calculation ----------------------------------------------------------------

TEST(CalculateVerticalTank, FailureKeepsNothing)
{
    // A first calculation succeeds; then a box of 0.5 × 0.5 m, 5 m high and full, whose walls
    // would have to grow past half its width.
    Project p(false);
    CalculateVerticalTank(p.ctx);
    DesignState &s = p.s;
    const DesignState before = s;
    const ResultsFields results = p.ctx.results;
    const auto positions = p.ctx.rebarPositions;

    s.widthA = s.lengthB = 0.5f;
    s.heightH = s.waterLevelHn = 5.0f;
    ResetThicknesses(s);
    const DesignState changed = s;
    try {
        CalculateVerticalTank(p.ctx);
        FAIL() << "the calculation should have failed";
    } catch (const CalcError &e) {
        EXPECT_NE(std::string(e.what()).find("paredes"), std::string::npos) << e.what();
    }
    // The design state is the one the calculation started from, and the fields and positions
    // are those of the first calculation.
    EXPECT_EQ(s.thicknessEt, changed.thicknessEt);
    EXPECT_EQ(s.thicknessEp, changed.thicknessEp);
    EXPECT_EQ(s.thicknessEf, changed.thicknessEf);
    EXPECT_EQ(s.wallWaterLoad, before.wallWaterLoad);
    EXPECT_EQ(s.bottomWaterLoad, before.bottomWaterLoad);
    EXPECT_EQ(s.crackResults[0].w, before.crackResults[0].w);
    EXPECT_EQ(p.ctx.results.Text_a, results.Text_a);
    EXPECT_EQ(p.ctx.rebarPositions, positions);
}

} // namespace

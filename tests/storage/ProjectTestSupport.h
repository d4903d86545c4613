#pragma once

#include "StorageTestSupport.h"

#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"
#include "storage/Database.h"
#include "storage/Recordset.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace project_test {

using storage_test::TestApp;

/// A program just started in `folder`: factory parameters applied, every window at its
/// load-time values, a recording screen.
struct Program : TestApp
{
    explicit Program(const QString &folder, bool ptBR = false) : TestApp(folder, ptBR)
    {
        ApplySettings(ctx);
    }

    /// The chain from the tank-kind window to the results, as the user presses the buttons:
    /// the windows hold what the test set in them; `layout` overrides the proposed one.
    void calculate(std::optional<std::int16_t> layout = std::nullopt)
    {
        using InputChain::InputWindow;
        InputWindow w = InputWindow::FormTipoElev;
        InputFlows::ActivateWindow(ctx, w);
        while (w != InputWindow::FormPosicaoAs) {
            const InputWindow next = InputFlows::Forward(ctx, w);
            ASSERT_NE(next, w) << "stopped by " << ctx.state.inputError.message;
            w = next;
        }
        if (layout)
            InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, *layout);
        ASSERT_EQ(CalculationLaunch::LaunchCalculation(ctx).status,
                  CalculationLaunch::LaunchStatus::Calculated);
    }

    void setElevated(bool elevated)
    {
        ctx.forms.FormTipoElev.setState("OptionElevada", elevated ? 1 : 0);
        ctx.forms.FormTipoElev.setState("OptionEnterrada", elevated ? 0 : 1);
    }
};

/// One table of a file as a later command would see it: its columns and its rows of texts.
struct Table
{
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;

    /// The value of `column` in row `row`.
    std::string at(std::size_t row, const std::string &column) const
    {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (columns[c] == column)
                return rows.at(row).at(c);
        }
        ADD_FAILURE() << "no column " << column;
        return {};
    }
};

inline Table readTable(const QString &file, const std::string &table)
{
    Database db;
    Recordset rs;
    Table t;
    EXPECT_EQ(Database::OpenDatabase(file, db), ErrorPair());
    EXPECT_EQ(db.OpenRecordset("SELECT * FROM " + table, rs), ErrorPair());
    t.columns = rs.FieldNames();
    while (!rs.Eof()) {
        std::vector<std::string> row;
        for (const std::string &f : t.columns) {
            std::string v;
            EXPECT_EQ(rs.GetField(f, v), ErrorPair());
            row.push_back(v);
        }
        t.rows.push_back(row);
        EXPECT_EQ(rs.MoveNext(), ErrorPair());
    }
    return t;
}

inline std::vector<std::string> tableNames(const QString &file)
{
    Database db;
    std::vector<std::string> names;
    EXPECT_EQ(Database::OpenDatabase(file, db), ErrorPair());
    EXPECT_EQ(db.TableNames(names), ErrorPair());
    return names;
}

/// Runs SQL on a file, as another tool editing it would.
inline void execute(const QString &file, const std::vector<std::string> &statements)
{
    Database db;
    ASSERT_EQ(Database::OpenDatabase(file, db), ErrorPair());
    for (const std::string &s : statements)
        ASSERT_EQ(db.Execute(s), ErrorPair()) << s;
}

inline std::string dumpForm(const FormModel &f)
{
    std::ostringstream out;
    for (const std::string &name : f.fieldNames()) {
        out << f.formName() << "." << name << "=[" << f.text(name) << "] " << f.state(name)
            << (f.visible(name) ? " v" : " h") << (f.enabled(name) ? " e" : " d")
            << (f.error(name) ? " !" : "") << "\n";
    }
    return out.str();
}

/// Everything of the current project, as text, to compare before and after.
inline std::string dumpProject(const CalcContext &ctx)
{
    std::ostringstream out;
    out << std::setprecision(9);
    const DesignState &s = ctx.state;
    out << s.calcState << " " << s.widthA << " " << s.lengthB << " " << s.heightH << " "
        << s.waterLevelHn << " | " << s.thicknessEt << " " << s.thicknessEp << " " << s.thicknessEf
        << " | " << s.buryHeightHt << " " << s.groundSurchargeQt << " " << s.waterTableHna << " | "
        << s.lidLiveLoad << " " << s.wallWaterLoad << " " << s.bottomWaterLoad << " "
        << s.bottomReaction << " " << s.soilThrust << " " << s.groundWaterThrust << " "
        << s.upliftPressure << " | " << s.hatchLx << " " << s.hatchLy << " " << s.hatchX << " "
        << s.hatchY << " | " << s.soilName << " " << s.soilUnitWeight << " " << s.soilFrictionAngle
        << " " << s.groundSlopeAngle << " " << s.earthPressureCoef << " | " << s.waterUnitWeight
        << " " << s.concreteUnitWeight << " " << s.minWallThickness << " " << s.steelFyk << " "
        << s.concreteFck << " " << s.gammaConcrete << " " << s.gammaSteel << " " << s.gammaLoads
        << " " << s.minCover << " " << s.asMinPercent << " " << s.spacingMultiple << " "
        << s.gaugeUnitIsMm << " " << s.bestSpacing << " " << s.minSpacing << " " << s.maxSpacing
        << " " << s.crackCheckOn << " " << s.maxCrackWidth << " " << s.crackRefGauge.diameterMm
        << " | ";
    for (const CrackCheck &c : s.crackResults)
        out << c.w << " " << c.sigma << " " << c.k << " " << c.ok << " ";
    out << "| [" << s.projectPath << "] " << s.inputError.code << " " << s.inputError.message
        << "\n";
    const FormModels &f = ctx.forms;
    for (const FormModel *m :
         { &f.FormTipoElev, &f.FormDadosGeometricos, &f.FormPosTampa, &f.FormDadosEnterrada,
           &f.FormCFG, &f.FormPosicaoAs, &f.FormAltera_e, &f.FormLegenda })
        out << dumpForm(*m);
    for (const std::string &t : ctx.results.Text_a)
        out << t << ";";
    out << ctx.results.Text_hn[0] << ";" << ctx.results.Text_hn[1] << ";"
        << ctx.results.frame1Visible << "\n";
    for (const RebarPosition &p : ctx.rebarPositions) {
        out << p.N << " " << p.ARE << " " << p.NVZ << " " << p.NBR << " " << p.gauge.diameterMm
            << " " << p.C << " " << p.CMP << " " << p.MK << " " << p.D << " " << p.BW << " "
            << p.DIST << " " << p.BADAS << " " << p.ERRMSG << " " << p.OUTAS << "\n";
    }
    for (const auto &row : ctx.materialQuantities)
        for (const float q : row)
            out << q << " ";
    return out.str();
}

/// The positions and the quantities as texts, singles with the 7 digits a project file
/// keeps: what the grid, the report and a saved file show of them.
inline std::vector<std::string> designTexts(const CalcContext &ctx)
{
    std::vector<std::string> texts;
    for (const RebarPosition &p : ctx.rebarPositions) {
        std::string t = p.N;
        for (const float v : { p.ARE, p.gauge.diameterMm, p.C, p.CMP, p.MK, p.D, p.BW, p.DIST })
            t += " " + SingleTextC(v);
        t += " " + std::to_string(p.NVZ) + " " + std::to_string(p.NBR) + " "
                + std::to_string(p.BADAS) + " " + std::to_string(p.OUTAS) + " " + p.ERRMSG;
        texts.push_back(t);
    }
    for (const auto &row : ctx.materialQuantities)
        for (const float q : row)
            texts.push_back(SingleTextC(q));
    return texts;
}

} // namespace project_test

/// Readable failures: a position with every field at full single precision.
inline void PrintTo(const RebarPosition &p, std::ostream *os)
{
    *os << std::setprecision(9) << "{N " << p.N << " ARE " << p.ARE << " NVZ " << p.NVZ << " NBR "
        << p.NBR << " FI " << p.gauge.diameterMm << " C " << p.C << " CMP " << p.CMP << " MK "
        << p.MK << " D " << p.D << " BW " << p.BW << " DIST " << p.DIST << " BADAS " << p.BADAS
        << " ERRMSG " << p.ERRMSG << " OUTAS " << p.OUTAS << "}";
}

#include "StorageTestSupport.h"

#include "core/ModuleRSVErr.h"
#include "input/FormSolosModel.h"
#include "input/SoilCatalogue.h"
#include "storage/Database.h"
#include "storage/Recordset.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using storage_test::readBytes;
using storage_test::RecordingUi;
using storage_test::StorageTest;
using storage_test::TestApp;
using storage_test::writeBytes;

namespace {

/// The names of data/solos.csv, in its order.
const std::vector<std::string> kSeedNames = {
    "Areia fofa",          "Areia medianamente compacta",
    "Areia compacta",      "Pedregulho fofo",
    "Pedregulho compacto", "Silte medianamente compacto",
    "Silte compacto",      "Argila mole",
    "Argila média",        "Argila rija",
};

std::vector<std::string> namesOf(const SoilList &list)
{
    std::vector<std::string> names;
    for (const SoilListEntry &e : list.entries)
        names.push_back(e.name);
    return names;
}

SoilRecord soil(std::string name, std::string pesp, std::string ang)
{
    SoilRecord s;
    s.NOME = std::move(name);
    s.PESP = std::move(pesp);
    s.PESPSAT = "2";
    s.ANG = std::move(ang);
    s.TMAX = "10";
    s.SPT = "8";
    s.OBS = "-";
    return s;
}

/// Empties the catalogue (created from the seed first).
void emptyCatalogue(AppContext &ctx)
{
    std::vector<SoilRecord> soils;
    ASSERT_EQ(SoilCatalogue::ReadSoils(ctx, soils), ErrorPair());
    for (const SoilRecord &s : soils)
        ASSERT_EQ(SoilCatalogue::DeleteSoil(ctx, s.COD_SOLO), ErrorPair());
}

class SoilCatalogueTest : public StorageTest
{
protected:
    TestApp app{ dir.path() };
    AppContext &ctx = app.ctx;
    RecordingUi &ui = app.ui;
    FormModel &buried = app.ctx.forms.FormDadosEnterrada;
};

} // namespace

TEST_F(SoilCatalogueTest, FirstUseCreatesTheCatalogueFromTheShippedSoils)
{
    const QString file = SoilCatalogue::CatalogueFile(ctx.paths());
    EXPECT_EQ(file, dir.filePath("solos.mdb"));
    ASSERT_FALSE(QFile::exists(file));

    const SoilList list = SoilCatalogue::FillSolo(ctx);
    ASSERT_EQ(list.error, ErrorPair());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(namesOf(list), kSeedNames);
    EXPECT_TRUE(QFile::exists(file));
    // Nothing but the catalogue is left in the program's folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{ "solos.mdb" });
    for (std::size_t i = 1; i < list.entries.size(); ++i)
        EXPECT_GT(list.entries[i].code, list.entries[i - 1].code);

    // The numbers are stored as texts of the regional settings (pt-BR here), the notes as
    // written in the seed.
    std::vector<SoilRecord> soils;
    ASSERT_EQ(SoilCatalogue::ReadSoils(ctx, soils), ErrorPair());
    const SoilRecord &softClay = soils[7];
    EXPECT_EQ(softClay.NOME, "Argila mole");
    EXPECT_EQ(softClay.PESP, "1,5");
    EXPECT_EQ(softClay.PESPSAT, "1,6");
    EXPECT_EQ(softClay.ANG, "20");
    EXPECT_EQ(softClay.TMAX, "2,5");
    EXPECT_EQ(softClay.SPT, "4");
    EXPECT_EQ(softClay.OBS.rfind("SPT de 3 a 5.", 0), 0u);

    // Once there, the catalogue is the user's: a second use reads it, never re-seeds it.
    ASSERT_EQ(SoilCatalogue::DeleteSoil(ctx, list.entries[0].code), ErrorPair());
    EXPECT_EQ(SoilCatalogue::FillSolo(ctx).entries.size(), kSeedNames.size() - 1);
}

TEST_F(SoilCatalogueTest, EveryShippedSoilGivesAValidBuriedTankWindow)
{
    // The buried-tank window's limits (0.5 ≤ γ ≤ 2, 10 ≤ φ ≤ 50) must accept every soil the
    // program ships; the other fields keep their defaults, valid under a 2.61 m high tank.
    ctx.state.heightH = 2.61f;
    const SoilList list = SoilCatalogue::FillSolo(ctx);
    ASSERT_EQ(list.entries.size(), kSeedNames.size());
    for (int i = 0; i < static_cast<int>(list.entries.size()); ++i) {
        ASSERT_EQ(SoilCatalogue::ChooseSoil(ctx, list, i), ErrorPair());
        EXPECT_EQ(ModuleRSVErr::CheckBuriedWindow(ctx), noError)
                << list.entries[static_cast<std::size_t>(i)].name;
    }
}

TEST_F(SoilCatalogueTest, ChoosingASoilSetsTheAngleThenTheUnitWeight)
{
    struct Case
    {
        bool ptBR;
        const char *pesp;
        const char *ang;
        const char *gama;
        const char *angSolo;
    };
    // The fields get the number texts of the regional settings, whatever symbol the catalogue
    // holds; "1,8" under Brazilian settings is the worked example of the buried-tank window.
    const Case cases[] = {
        { true, "1.8", "30", "1,8", "30" },
        { true, "1,8", "30", "1,8", "30" },
        { false, "1,8", "30", "1.8", "30" },
        { true, "1.75", "28.5", "1,75", "28,5" },
    };
    for (const Case &c : cases) {
        QTemporaryDir folder;
        TestApp t(folder.path(), c.ptBR);
        SoilRecord s = soil("Teste", c.pesp, c.ang);
        ASSERT_EQ(SoilCatalogue::SaveSoil(t.ctx, s), ErrorPair());
        const SoilList list = SoilCatalogue::FillSolo(t.ctx);
        ASSERT_EQ(list.entries.back().name, "Teste");

        FormModel &form = t.ctx.forms.FormDadosEnterrada;
        std::vector<std::string> changes;
        form.subscribe([&](const std::string &name, FormModel::Change change) {
            if (change == FormModel::Change::Text)
                changes.push_back(name);
        });
        const int index = static_cast<int>(list.entries.size()) - 1;
        ASSERT_EQ(SoilCatalogue::ChooseSoil(t.ctx, list, index), ErrorPair());
        EXPECT_EQ(form.text("TextGama"), c.gama) << c.pesp;
        EXPECT_EQ(form.text("TextAngSolo"), c.angSolo) << c.ang;
        EXPECT_EQ(form.text("ComboSolo"), "Teste");
        EXPECT_EQ(form.state("ComboSolo"), index);
        EXPECT_EQ(changes, (std::vector<std::string>{ "ComboSolo", "TextAngSolo", "TextGama" }));
        // Nothing else of the window is touched.
        EXPECT_EQ(form.text("Textht"), "1.52");
        EXPECT_EQ(form.text("TextAngTerreno"), "3");
        EXPECT_TRUE(t.ui.messages.empty());
    }
}

TEST_F(SoilCatalogueTest, ASoilOutsideTheWindowLimitsIsReportedByTheWindowCheck)
{
    ctx.state.heightH = 2.61f;
    SoilRecord s = soil("Talude íngreme", "1.8", "55");
    ASSERT_EQ(SoilCatalogue::SaveSoil(ctx, s), ErrorPair());
    const SoilList list = SoilCatalogue::FillSolo(ctx);
    ASSERT_EQ(SoilCatalogue::ChooseSoil(ctx, list, static_cast<int>(list.entries.size()) - 1),
              ErrorPair());
    EXPECT_EQ(buried.text("TextAngSolo"), "55");
    EXPECT_EQ(ModuleRSVErr::CheckBuriedWindow(ctx).code, 28);
}

TEST_F(SoilCatalogueTest, AChoiceThatCannotBeMadeLeavesTheFieldsAsTheyWere)
{
    const SoilList list = SoilCatalogue::FillSolo(ctx);
    ASSERT_GE(list.entries.size(), 3u);
    buried.setText("TextGama", "1,65");
    buried.setText("TextAngSolo", "27");

    // A soil deleted since the list was filled: nothing happens, nothing is said.
    ASSERT_EQ(SoilCatalogue::DeleteSoil(ctx, list.entries[1].code), ErrorPair());
    EXPECT_EQ(SoilCatalogue::ChooseSoil(ctx, list, 1), ErrorPair());
    EXPECT_TRUE(ui.messages.empty());

    // A soil whose values are not numbers (a file edited by another tool) is reported.
    {
        Database db;
        Recordset rs;
        ASSERT_EQ(Database::OpenDatabase(SoilCatalogue::CatalogueFile(ctx.paths()), db),
                  ErrorPair());
        ASSERT_EQ(db.OpenRecordset("SELECT * FROM SOLOS", rs), ErrorPair());
        ASSERT_EQ(rs.FindFirst("COD_SOLO = " + std::to_string(list.entries[2].code)), ErrorPair());
        ASSERT_EQ(rs.Edit(), ErrorPair());
        ASSERT_EQ(rs.SetField("ANG", "trinta"), ErrorPair());
        ASSERT_EQ(rs.Update(), ErrorPair());
    }
    const ErrorPair e = SoilCatalogue::ChooseSoil(ctx, list, 2);
    EXPECT_EQ(e.number, 3421);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Erro 3421");
    EXPECT_EQ(ui.messages[0].icon, UiHost::Icon::Critical);
    EXPECT_NE(ui.messages[0].text.find("\"trinta\""), std::string::npos);

    EXPECT_EQ(buried.text("TextGama"), "1,65");
    EXPECT_EQ(buried.text("TextAngSolo"), "27");
}

TEST_F(SoilCatalogueTest, RefillingKeepsTheChosenNameAndValues)
{
    SoilList list = SoilCatalogue::FillSolo(ctx);
    ASSERT_EQ(SoilCatalogue::ChooseSoil(ctx, list, 2), ErrorPair());
    ASSERT_EQ(buried.text("ComboSolo"), "Areia compacta");
    buried.setText("TextGama", "1,95"); // typed over the soil's value

    // The catalogue window deletes a soil above it and adds one: the list shows the changes,
    // the selection follows the chosen soil, the typed values stay.
    ASSERT_EQ(SoilCatalogue::DeleteSoil(ctx, list.entries[0].code), ErrorPair());
    SoilRecord added = soil("Solo residual", "1.7", "30");
    ASSERT_EQ(SoilCatalogue::SaveSoil(ctx, added), ErrorPair());
    list = SoilCatalogue::FillSolo(ctx);
    EXPECT_EQ(list.entries.back(), (SoilListEntry{ "Solo residual", added.COD_SOLO }));
    EXPECT_EQ(buried.text("ComboSolo"), "Areia compacta");
    EXPECT_EQ(buried.state("ComboSolo"), 1);
    EXPECT_EQ(buried.text("TextGama"), "1,95");

    // Renamed: the new name is listed; the name shown stays with the values it came with.
    std::vector<SoilRecord> soils;
    ASSERT_EQ(SoilCatalogue::ReadSoils(ctx, soils), ErrorPair());
    soils[1].NOME = "Areia compacta (revisada)";
    ASSERT_EQ(SoilCatalogue::SaveSoil(ctx, soils[1]), ErrorPair());
    list = SoilCatalogue::FillSolo(ctx);
    EXPECT_EQ(list.entries[1].name, "Areia compacta (revisada)");
    EXPECT_EQ(buried.text("ComboSolo"), "Areia compacta");
    EXPECT_EQ(buried.state("ComboSolo"), -1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SoilCatalogueTest, CodesAreNeverGivenTwice)
{
    // A code held by the buried-tank window's list must never come to name another soil.
    const SoilList list = SoilCatalogue::FillSolo(ctx);
    const std::int32_t last = list.entries.back().code;
    ASSERT_EQ(SoilCatalogue::DeleteSoil(ctx, last), ErrorPair());
    SoilRecord s = soil("Novo", "1.7", "30");
    ASSERT_EQ(SoilCatalogue::SaveSoil(ctx, s), ErrorPair());
    EXPECT_GT(s.COD_SOLO, last);
    EXPECT_EQ(SoilCatalogue::ChooseSoil(ctx, list, static_cast<int>(list.entries.size()) - 1),
              ErrorPair());
    EXPECT_EQ(buried.text("TextGama"), "1.6"); // the default: the deleted soil is not found
}

TEST_F(SoilCatalogueTest, AMissingOrUnreadableCatalogueGivesAMessageAndAnEmptyList)
{
    struct Case
    {
        const char *what;
        std::int32_t number;
        std::function<void(const QString &folder)> prepare;
        bool emptyData;
    };
    const auto catalogueWith = [](const QByteArray &bytes) {
        return [bytes](const QString &folder) { writeBytes(folder + "/solos.mdb", bytes); };
    };
    const Case cases[] = {
        { "a text file", 3343, catalogueWith("NOME;PESP\nAreia;1.8\n"), false },
        { "an empty file", 3343, catalogueWith({}), false },
        { "random bytes", 3343, catalogueWith(QByteArray(3000, '\x9C')), false },
        { "a database without SOLOS", 3078,
          [](const QString &folder) {
              Database db;
              ASSERT_EQ(Database::CreateDatabase(folder + "/solos.mdb", db), ErrorPair());
              ASSERT_EQ(db.Execute("CREATE TABLE RSVDAT (rsvdatA TEXT)"), ErrorPair());
          },
          false },
        { "a SOLOS table without ANG", 3265,
          [](const QString &folder) {
              Database db;
              Recordset rs;
              ASSERT_EQ(Database::CreateDatabase(folder + "/solos.mdb", db), ErrorPair());
              ASSERT_EQ(db.Execute("CREATE TABLE SOLOS (COD_SOLO INTEGER PRIMARY KEY, NOME "
                                   "TEXT, PESP TEXT, PESPSAT TEXT, TMAX TEXT, SPT TEXT, OBS "
                                   "TEXT)"),
                        ErrorPair());
              ASSERT_EQ(db.OpenRecordset("SELECT * FROM SOLOS", rs), ErrorPair());
              ASSERT_EQ(rs.AddNew(), ErrorPair());
              ASSERT_EQ(rs.SetField("NOME", "Areia"), ErrorPair());
              ASSERT_EQ(rs.Update(), ErrorPair());
          },
          false },
        { "no catalogue and no shipped soils", 53, [](const QString &) {}, true },
        { "a program folder that cannot be made", 76,
          [](const QString &folder) {
              QDir(folder).removeRecursively();
              writeBytes(folder, "um arquivo no lugar da pasta");
          },
          false },
    };
    for (const Case &c : cases) {
        QTemporaryDir base;
        QTemporaryDir noData;
        const QString folder = base.filePath("programa");
        QDir().mkpath(folder);
        c.prepare(folder);
        const QByteArray before = readBytes(folder + "/solos.mdb");
        TestApp t(folder, true, c.emptyData ? noData.path() : storage_test::shippedData());
        t.ctx.forms.FormDadosEnterrada.setText("ComboSolo", "Areia");

        const SoilList list = SoilCatalogue::FillSolo(t.ctx);
        EXPECT_TRUE(list.entries.empty()) << c.what;
        EXPECT_EQ(list.error.number, c.number) << c.what << ": " << list.error.description;
        ASSERT_EQ(t.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(t.ui.messages[0].icon, UiHost::Icon::Critical);
        EXPECT_EQ(t.ui.messages[0].title, "Erro " + std::to_string(c.number));
        EXPECT_EQ(t.ui.messages[0].text, list.error.description);
        EXPECT_NE(list.error.description.find("A lista de solos fica vazia"), std::string::npos);
        EXPECT_EQ(t.ctx.forms.FormDadosEnterrada.state("ComboSolo"), -1);
        // What is there is never replaced: the user may still want it back.
        EXPECT_EQ(readBytes(folder + "/solos.mdb"), before) << c.what;
        if (QFile::exists(folder + "/solos.mdb")) {
            EXPECT_NE(list.error.description.find("renomeie ou apague"), std::string::npos)
                    << c.what;
        }

        // The catalogue window shows the same error and an empty grid where only "Inserir"
        // can be pressed.
        t.ui.messages.clear();
        FormSolosModel window(t.ctx);
        window.Form_Load();
        window.Form_Activate();
        EXPECT_TRUE(window.rows().empty());
        EXPECT_EQ(t.ui.messages.size(), 1u);
        EXPECT_FALSE(window.form().enabled("Editar"));
        EXPECT_FALSE(window.form().enabled("Excluir"));
    }
}

namespace {

/// The catalogue window over a catalogue holding the given soils only.
class FormSolosTest : public SoilCatalogueTest
{
protected:
    void fill(const std::vector<SoilRecord> &soils)
    {
        emptyCatalogue(ctx);
        for (SoilRecord s : soils)
            ASSERT_EQ(SoilCatalogue::SaveSoil(ctx, s), ErrorPair());
        window.Form_Load();
        window.Form_Activate();
    }
    void type(const std::vector<std::string> &texts)
    {
        for (std::size_t i = 0; i < texts.size(); ++i)
            window.form().setText(FormSolosModel::FieldNames()[i], texts[i]);
    }
    std::vector<std::string> fields() const
    {
        std::vector<std::string> texts;
        for (const std::string &f : FormSolosModel::FieldNames())
            texts.push_back(window.form().text(f));
        return texts;
    }
    std::vector<bool> toolbar() const
    {
        std::vector<bool> enabled;
        for (const char *key : { "Inserir", "Editar", "Excluir", "Salvar", "Cancelar" })
            enabled.push_back(window.form().enabled(key));
        return enabled;
    }
    std::vector<SoilRecord> stored()
    {
        std::vector<SoilRecord> soils;
        EXPECT_EQ(SoilCatalogue::ReadSoils(ctx, soils), ErrorPair());
        return soils;
    }

    FormSolosModel window{ ctx };
};

using Toolbar = std::vector<bool>;
const Toolbar kOnlyInsert = { true, false, false, false, false };
const Toolbar kBrowsing = { true, true, true, false, false };
const Toolbar kEditing = { false, false, false, true, true };

} // namespace

TEST_F(FormSolosTest, InsertEditAndDeleteFromAnEmptyCatalogue)
{
    fill({});
    EXPECT_EQ(toolbar(), kOnlyInsert);
    EXPECT_EQ(window.currentRow(), -1);

    // Insert the first soil.
    window.Toolbar1_ButtonClick("Inserir");
    EXPECT_FALSE(window.browsing());
    EXPECT_EQ(toolbar(), kEditing);
    EXPECT_EQ(window.form().state("Inserir"), 1);
    EXPECT_EQ(window.focus(), "Text1");
    EXPECT_FALSE(window.form().enabled("DBGrid1"));
    EXPECT_FALSE(window.form().enabled("Command1"));
    EXPECT_TRUE(window.form().enabled("NumberBox3"));
    type({ "Areia siltosa", "1,85", "", "31", "", "", "" });
    ASSERT_TRUE(window.Salvar());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(window.browsing());
    EXPECT_EQ(toolbar(), kBrowsing);
    EXPECT_EQ(window.form().state("Inserir"), 0);
    EXPECT_FALSE(window.form().enabled("Text1"));
    EXPECT_TRUE(window.form().enabled("DBGrid1"));
    EXPECT_TRUE(window.form().enabled("Command1"));
    // Stored as typed, the empty optional fields given their defaults.
    const std::vector<std::string> first = { "Areia siltosa", "1,85", "0", "31", "0", "0", "-" };
    EXPECT_EQ(fields(), first);
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0].PESPSAT, "0");
    EXPECT_EQ(stored()[0].OBS, "-");

    // A second soil; the saved row is the current one.
    window.Inserir();
    type({ "Argila orgânica", "1.4", "1.5", "12", "3", "2", "Evitar" });
    ASSERT_TRUE(window.Salvar());
    EXPECT_EQ(window.rows().size(), 2u);
    EXPECT_EQ(window.currentRow(), 1);

    // Edit the first one: same code, new values.
    window.SelectRow(0);
    EXPECT_EQ(fields(), first);
    const std::int32_t code = window.rows()[0].COD_SOLO;
    window.Editar();
    EXPECT_EQ(window.form().state("Editar"), 1);
    EXPECT_EQ(toolbar(), kEditing);
    EXPECT_EQ(fields(), first); // editing keeps the row's values
    window.form().setText("Text1", "Areia siltosa fina");
    ASSERT_TRUE(window.Salvar());
    EXPECT_EQ(window.currentRow(), 0);
    EXPECT_EQ(stored()[0].COD_SOLO, code);
    EXPECT_EQ(stored()[0].NOME, "Areia siltosa fina");
    EXPECT_EQ(stored().size(), 2u);

    // Cancel an edit: the row is shown again, nothing is stored.
    window.Editar();
    window.form().setText("Text1", "descartado");
    window.Toolbar1_ButtonClick("Cancelar");
    EXPECT_EQ(window.form().text("Text1"), "Areia siltosa fina");
    EXPECT_EQ(toolbar(), kBrowsing);
    EXPECT_EQ(stored()[0].NOME, "Areia siltosa fina");

    // Delete: "No" keeps the soil; "Yes" deletes it and the next row becomes current.
    ui.answers = { UiHost::No };
    window.Excluir();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Confirma exclusão?");
    EXPECT_EQ(ui.messages[0].buttons, UiHost::Buttons::YesNo);
    EXPECT_EQ(ui.messages[0].icon, UiHost::Icon::Exclamation);
    EXPECT_EQ(ui.messages[0].title, "ATENÇÃO!");
    EXPECT_EQ(stored().size(), 2u);
    window.Excluir();
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_EQ(window.currentRow(), 0);
    EXPECT_EQ(window.form().text("Text1"), "Argila orgânica");
    EXPECT_EQ(toolbar(), kBrowsing);

    // Deleting the last soil leaves only "Inserir".
    window.Excluir();
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(toolbar(), kOnlyInsert);
    EXPECT_EQ(fields(), std::vector<std::string>(7));

    // Cancelling an insertion into the empty catalogue leaves nothing typed behind and
    // nothing to edit.
    window.Inserir();
    type({ "Rascunho", "1,7" });
    window.Cancelar();
    EXPECT_EQ(fields(), std::vector<std::string>(7));
    EXPECT_EQ(toolbar(), kOnlyInsert);
    EXPECT_TRUE(stored().empty());

    // A disabled button does nothing.
    window.Editar();
    window.Excluir();
    EXPECT_TRUE(window.browsing());
}

TEST_F(FormSolosTest, SaveChecksTheFieldsInOrder)
{
    fill({ soil("Areia", "1.8", "30") });
    const std::string name = "Nome do Solo.\nCampo Obrigatório!";
    const std::string weightNull = "Peso Específico do Solo.\nCampo Obrigatório e não nulo!";
    const std::string weightNumber =
            "Peso Específico do Solo.\nDigite um número maior que zero, em tf/m³ (por exemplo "
            "1,8).";
    const std::string saturated = "Peso Específico do Solo Saturado.\nDigite um número maior "
                                  "ou igual a zero, em tf/m³, ou deixe o campo vazio.";
    const std::string angle =
            "Ângulo de Talude Natural.\nCampo Obrigatório!\nLimites Válidos: [5º,45º]";
    const std::string stress = "Tensão Máxima Admissível no Solo.\nDigite um número maior ou "
                               "igual a zero, em tf/m², ou deixe o campo vazio.";
    const std::string spt =
            "Valor do SPT.\nDigite um número maior ou igual a zero, ou deixe o campo vazio.";

    struct Case
    {
        std::vector<std::string> typed; // NOME, PESP, PESPSAT, ANG, TMAX, SPT, OBS
        std::string message; // empty: accepted
        std::string focus;
        const char *why;
    };
    const Case cases[] = {
        { { "", "1,8", "", "30" }, name, "Text1", "the first check" },
        { { "   ", "1,8", "", "30" }, name, "Text1", "blanks are no name" },
        { { "", "", "", "" }, name, "Text1", "the name is checked first" },
        { { "S", "", "", "30" }, weightNull, "NumberBox1", "weight empty" },
        { { "S", "0", "", "30" }, weightNull, "NumberBox1", "weight exactly 0" },
        { { "S", "0.0", "", "30" }, weightNull, "NumberBox1", "0.0 is as null as 0" },
        { { "S", "leve", "", "30" }, weightNumber, "NumberBox1", "not a number" },
        { { "S", "-1,8", "", "30" }, weightNumber, "NumberBox1", "a negative weight" },
        { { "S", "1,8", "x", "30" }, saturated, "NumberBox2", "saturated not a number" },
        { { "S", "1,8", "", "" }, angle, "NumberBox3", "angle empty" },
        { { "S", "1,8", "", "4" }, angle, "NumberBox3", "below 5" },
        { { "S", "1,8", "", "46" }, angle, "NumberBox3", "above 45" },
        { { "S", "1,8", "", "45,5" }, angle, "NumberBox3", "45.5 is above 45 in any setting" },
        { { "S", "1,8", "", "30abc" }, angle, "NumberBox3", "not a number" },
        { { "S", "1,8", "", "30", "muito" }, stress, "NumberBox4", "stress not a number" },
        { { "S", "1,8", "", "30", "", "-2" }, spt, "NumberBox5", "a negative SPT" },
        { { "S", "1,8", "", "45" }, "", "", "45 is inside the limits" },
        { { "S", "1,8", "", "5" }, "", "", "5 is inside the limits" },
        { { "S", "0,5", "1.9", "45.0", "20", "12", "ok" }, "", "", "every field given" },
    };
    for (const Case &c : cases) {
        ui.messages.clear();
        window.Inserir();
        std::vector<std::string> typed = c.typed;
        typed.resize(7);
        type(typed);
        const std::size_t before = stored().size();

        const bool saved = window.Salvar();
        EXPECT_EQ(saved, c.message.empty()) << c.why;
        if (c.message.empty()) {
            EXPECT_TRUE(ui.messages.empty()) << c.why;
            EXPECT_EQ(stored().size(), before + 1) << c.why;
            EXPECT_EQ(stored().back().ANG, typed[3]) << c.why;
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u) << c.why;
        EXPECT_EQ(ui.messages[0].text, c.message) << c.why;
        EXPECT_EQ(ui.messages[0].icon, UiHost::Icon::Exclamation) << c.why;
        EXPECT_EQ(ui.messages[0].title, "ATENÇÃO!") << c.why;
        EXPECT_EQ(window.focus(), c.focus) << c.why;
        EXPECT_FALSE(window.browsing()) << c.why;
        EXPECT_EQ(toolbar(), kEditing) << c.why;
        EXPECT_EQ(stored().size(), before) << c.why;
        window.Cancelar();
    }
}

TEST_F(FormSolosTest, ASoilDeletedMeanwhileIsReportedAndTheTypingKept)
{
    fill({ soil("Areia", "1.8", "30"), soil("Argila", "1.7", "24") });
    window.SelectRow(1);
    window.Editar();
    window.form().setText("Text1", "Argila rija");
    ASSERT_EQ(SoilCatalogue::DeleteSoil(ctx, window.rows()[1].COD_SOLO), ErrorPair());

    EXPECT_FALSE(window.Salvar());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Erro 3167");
    EXPECT_FALSE(window.browsing());
    EXPECT_EQ(window.form().text("Text1"), "Argila rija");
    EXPECT_EQ(stored().size(), 1u);
}

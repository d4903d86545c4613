#include "input/SoilCatalogue.h"

#include "core/AppContext.h"
#include "core/Numbers.h"
#include "core/UiHost.h"
#include "storage/Database.h"
#include "storage/Recordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>

#include <array>
#include <optional>
#include <utility>

namespace SoilCatalogue {

namespace {

/// The key is the only column that is not text: an integer key that SQLite gives each new row
/// and, with AUTOINCREMENT, never gives again after a deletion, so that a code held by the
/// buried-tank window's list can never come to name another soil.
constexpr const char *kCreateTable =
        "CREATE TABLE SOLOS (COD_SOLO INTEGER PRIMARY KEY AUTOINCREMENT, NOME TEXT, "
        "PESP TEXT, PESPSAT TEXT, ANG TEXT, TMAX TEXT, SPT TEXT, OBS TEXT)";

std::string quoted(const QString &file)
{
    return "\"" + QDir::toNativeSeparators(file).toStdString() + "\"";
}

bool isBlank(const std::string &text)
{
    return QString::fromStdString(text).trimmed().isEmpty();
}

/// A number text of the catalogue; nothing for a blank text or one that is not a number.
std::optional<double> numberOf(const std::string &text)
{
    if (isBlank(text))
        return std::nullopt;
    return TryTextToNumber(text, 15);
}

/// The shipped soils, their numbers written in the regional settings so that the catalogue
/// shows them as the user would type them.
ErrorPair readSeed(const AppContext &ctx, std::vector<SoilRecord> &soils)
{
    const QString seed = ctx.paths().dataFile(QString::fromLatin1(kSeedName));
    QFile f(seed);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return { 53,
                 "O arquivo dos solos de fábrica " + quoted(seed)
                         + " não foi encontrado, e o cadastro de solos não pôde ser criado. "
                           "Reinstale o programa." };
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    bool header = true;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char(';'));
        const auto damaged = [&] {
            return ErrorPair{ 3049,
                              "O arquivo dos solos de fábrica " + quoted(seed)
                                      + " está danificado (linha " + std::to_string(n + 1)
                                      + "), e o cadastro de solos não pôde ser criado. "
                                        "Reinstale o programa." };
        };
        if (cells.size() != static_cast<qsizetype>(kSoilFields.size()))
            return damaged();
        if (header) {
            for (std::size_t i = 0; i < kSoilFields.size(); ++i) {
                if (cells[static_cast<qsizetype>(i)].trimmed()
                    != QLatin1String(kSoilFields[i].column))
                    return damaged();
            }
            header = false;
            continue;
        }
        SoilRecord soil;
        for (std::size_t i = 0; i < kSoilFields.size(); ++i)
            soil.*kSoilFields[i].member = cells[static_cast<qsizetype>(i)].trimmed().toStdString();
        for (std::string *number :
             { &soil.PESP, &soil.PESPSAT, &soil.ANG, &soil.TMAX, &soil.SPT }) {
            const std::optional<double> v = numberOf(*number);
            if (!v)
                return damaged();
            *number = ctx.text(*v);
        }
        if (isBlank(soil.NOME))
            return damaged();
        soils.push_back(std::move(soil));
    }
    return {};
}

/// Writes the catalogue into a file of its own name in the program's folder and only then
/// gives it the catalogue's name, so that a failure or a killed process never leaves a
/// half-made catalogue behind.
ErrorPair createCatalogue(const AppContext &ctx, const QString &target)
{
    std::vector<SoilRecord> soils;
    if (ErrorPair e = readSeed(ctx, soils); !e.ok())
        return e;
    if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
        return e;

    const QString temp = target + QLatin1Char('.')
            + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".tmp");
    ErrorPair result = [&]() -> ErrorPair {
        Database db;
        Recordset rs;
        if (ErrorPair e = Database::CreateDatabase(temp, db); !e.ok())
            return e;
        if (ErrorPair e = db.Execute(kCreateTable); !e.ok())
            return e;
        if (ErrorPair e = db.OpenRecordset("SELECT * FROM SOLOS", rs); !e.ok())
            return e;
        if (ErrorPair e = db.BeginTrans(); !e.ok())
            return e;
        for (const SoilRecord &soil : soils) {
            if (ErrorPair e = rs.AddNew(); !e.ok())
                return e;
            for (const SoilField &c : kSoilFields) {
                if (ErrorPair e = rs.SetField(c.column, soil.*c.member); !e.ok())
                    return e;
            }
            if (ErrorPair e = rs.Update(); !e.ok())
                return e;
        }
        if (ErrorPair e = db.CommitTrans(); !e.ok())
            return e;
        return db.Close();
    }();
    if (result.ok() && !QFile::rename(temp, target) && !QFileInfo::exists(target))
        result = { 75,
                   "Não foi possível criar o cadastro de solos " + quoted(target)
                           + ". Verifique se a pasta do programa permite gravação." };
    // Also when another copy of the program created the catalogue meanwhile: theirs is kept.
    QFile::remove(temp);
    QFile::remove(temp + QStringLiteral("-journal"));
    return result;
}

/// A catalogue error as the user reads it: what could not be done, the database's reason,
/// and how to get a working catalogue again.
ErrorPair catalogueError(const AppContext &ctx, ErrorPair e, const std::string &what)
{
    const QString file = CatalogueFile(ctx.paths());
    e.description = what + " " + e.description;
    if (QFileInfo::exists(file))
        e.description += " Para recriar o cadastro com os solos de fábrica, feche o programa e "
                         "renomeie ou apague o arquivo "
                + quoted(file) + ".";
    return e;
}

ErrorPair openCatalogue(const AppContext &ctx, Database &db, Recordset &rs)
{
    if (ErrorPair e = EnsureCatalogue(ctx); !e.ok())
        return e;
    if (ErrorPair e = Database::OpenDatabase(CatalogueFile(ctx.paths()), db); !e.ok())
        return e;
    return db.OpenRecordset("SELECT * FROM SOLOS", rs);
}

ErrorPair readCode(const AppContext &ctx, const Recordset &rs, std::int32_t &code)
{
    std::string text;
    if (ErrorPair e = rs.GetField("COD_SOLO", text); !e.ok())
        return e;
    bool ok = false;
    code = QString::fromStdString(text).trimmed().toInt(&ok);
    if (!ok || code <= 0)
        return { 3421,
                 "O cadastro de solos " + quoted(CatalogueFile(ctx.paths()))
                         + " tem um código de solo inválido (\"" + text + "\")." };
    return {};
}

/// Goes to the soil of `code`; NoMatch() tells whether it is there.
ErrorPair findSoil(Recordset &rs, std::int32_t code)
{
    return rs.FindFirst("COD_SOLO = " + std::to_string(code));
}

ErrorPair soilGone(const AppContext &ctx)
{
    return { 3167,
             "O solo não está mais no cadastro de solos " + quoted(CatalogueFile(ctx.paths()))
                     + ". Feche e abra o cadastro de novo para ver os solos atuais." };
}

} // namespace

QString CatalogueFile(const ProgramPaths &paths)
{
    return paths.userFile(QString::fromLatin1(kFileName));
}

ErrorPair EnsureCatalogue(const AppContext &ctx)
{
    const QString file = CatalogueFile(ctx.paths());
    if (QFileInfo::exists(file))
        return {};
    return createCatalogue(ctx, file);
}

ErrorPair ReadSoils(const AppContext &ctx, std::vector<SoilRecord> &soils)
{
    soils.clear();
    ErrorPair result = [&]() -> ErrorPair {
        Database db;
        Recordset rs;
        if (ErrorPair e = openCatalogue(ctx, db, rs); !e.ok())
            return e;
        for (; !rs.Eof(); (void)rs.MoveNext()) {
            SoilRecord soil;
            if (ErrorPair e = readCode(ctx, rs, soil.COD_SOLO); !e.ok())
                return e;
            for (const SoilField &c : kSoilFields) {
                if (ErrorPair e = rs.GetField(c.column, soil.*c.member); !e.ok())
                    return e;
            }
            soils.push_back(std::move(soil));
        }
        return db.Close();
    }();
    if (!result.ok()) {
        soils.clear();
        return catalogueError(ctx, result, "Não foi possível ler o cadastro de solos.");
    }
    return {};
}

ErrorPair SaveSoil(const AppContext &ctx, SoilRecord &soil)
{
    std::int32_t code = soil.COD_SOLO;
    ErrorPair result = [&]() -> ErrorPair {
        Database db;
        Recordset rs;
        if (ErrorPair e = openCatalogue(ctx, db, rs); !e.ok())
            return e;
        if (soil.COD_SOLO != 0) {
            if (ErrorPair e = findSoil(rs, soil.COD_SOLO); !e.ok())
                return e;
            if (rs.NoMatch())
                return soilGone(ctx);
            if (ErrorPair e = rs.Edit(); !e.ok())
                return e;
        } else if (ErrorPair e = rs.AddNew(); !e.ok()) {
            return e;
        }
        for (const SoilField &c : kSoilFields) {
            if (ErrorPair e = rs.SetField(c.column, soil.*c.member); !e.ok())
                return e;
        }
        if (ErrorPair e = rs.Update(); !e.ok())
            return e;
        if (ErrorPair e = rs.SetBookmark(rs.LastModified()); !e.ok())
            return e;
        if (ErrorPair e = readCode(ctx, rs, code); !e.ok())
            return e;
        return db.Close();
    }();
    if (!result.ok())
        return catalogueError(ctx, result, "Não foi possível gravar o solo no cadastro de solos.");
    soil.COD_SOLO = code;
    return {};
}

ErrorPair DeleteSoil(const AppContext &ctx, std::int32_t code)
{
    ErrorPair result = [&]() -> ErrorPair {
        Database db;
        Recordset rs;
        if (ErrorPair e = openCatalogue(ctx, db, rs); !e.ok())
            return e;
        if (ErrorPair e = findSoil(rs, code); !e.ok())
            return e;
        if (rs.NoMatch())
            return soilGone(ctx);
        if (ErrorPair e = rs.Delete(); !e.ok())
            return e;
        return db.Close();
    }();
    if (!result.ok())
        return catalogueError(ctx, result, "Não foi possível excluir o solo do cadastro de solos.");
    return {};
}

SoilList FillSolo(AppContext &ctx)
{
    SoilList list;
    std::vector<SoilRecord> soils;
    list.error = ReadSoils(ctx, soils);
    if (!list.error.ok())
        list.error.description += " A lista de solos fica vazia; o peso específico e o ângulo "
                                  "de talude natural podem ser digitados.";
    for (const SoilRecord &soil : soils)
        list.entries.push_back({ soil.NOME, soil.COD_SOLO });

    // The name in the box goes with the values in the window's fields, which a refill does
    // not touch; it stays, and the selection follows it.
    FormModel &form = ctx.forms.FormDadosEnterrada;
    const std::string &shown = form.text("ComboSolo");
    int position = -1;
    for (std::size_t i = 0; i < list.entries.size() && !shown.empty(); ++i) {
        if (list.entries[i].name == shown) {
            position = static_cast<int>(i);
            break;
        }
    }
    form.setState("ComboSolo", position);
    ShowError(ctx, list.error);
    return list;
}

ErrorPair ChooseSoil(AppContext &ctx, const SoilList &list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.entries.size()))
        return {};
    const SoilListEntry &entry = list.entries[static_cast<std::size_t>(index)];
    FormModel &form = ctx.forms.FormDadosEnterrada;
    form.setState("ComboSolo", index);
    form.setText("ComboSolo", entry.name);

    std::string ang;
    std::string pesp;
    bool found = false;
    ErrorPair result = [&]() -> ErrorPair {
        Database db;
        Recordset rs;
        if (ErrorPair e = openCatalogue(ctx, db, rs); !e.ok())
            return e;
        if (ErrorPair e = findSoil(rs, entry.code); !e.ok())
            return e;
        if (rs.NoMatch())
            return db.Close();
        found = true;
        if (ErrorPair e = rs.GetField("ANG", ang); !e.ok())
            return e;
        if (ErrorPair e = rs.GetField("PESP", pesp); !e.ok())
            return e;
        return db.Close();
    }();
    if (!result.ok()) {
        result = catalogueError(ctx, result, "Não foi possível ler o solo escolhido.");
        ShowError(ctx, result);
        return result;
    }
    if (!found)
        return {};

    const std::optional<double> angle = numberOf(ang);
    const std::optional<double> weight = numberOf(pesp);
    if (!angle || !weight) {
        result = { 3421,
                   "O solo \"" + entry.name
                           + "\" do cadastro de solos tem um valor que não é número (ângulo de "
                             "talude natural \""
                           + ang + "\", peso específico \"" + pesp
                           + "\"). Corrija-o no Cadastro de solos; os dados do solo não foram "
                             "alterados." };
        ShowError(ctx, result);
        return result;
    }
    form.setText("TextAngSolo", ctx.text(*angle));
    form.setText("TextGama", ctx.text(*weight));
    return {};
}

void ShowError(AppContext &ctx, const ErrorPair &error)
{
    if (error.ok() || error.number == kDialogCancelled || !ctx.ui())
        return;
    ctx.ui()->MessageBox(error.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                         "Erro " + std::to_string(error.number));
}

} // namespace SoilCatalogue

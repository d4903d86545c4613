#pragma once

#include "core/ErrorPair.h"
#include "draw/Scene.h"

#include <QDate>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;

/// The report engine: a report template (a text file of ours, described in docs/report-templates.md)
/// filled from a report database and laid out with QTextDocument on A4 pages, for the print
/// preview, a printer or a PDF. The report is made from the data file alone: what the template
/// asks for and the file does not hold is an error naming both, never a blank.
///
/// Use: LoadReportData and LoadTemplate, then Report::Create (which checks every field the
/// template names against the data), then Paint on any paged device or WritePdf.
namespace ReportEngine {

/// Error numbers of the engine, beside the file and database ones (53 a template that is not
/// there, 75 one that cannot be read or a PDF that cannot be written, 3078 and 3265 a table or
/// a column the template names that the data file lacks).
enum EngineError : std::int32_t {
    kTemplateSyntax = 20515, ///< a line of the template that the engine cannot read
};

/// One table of the data file: its columns in order and its rows, every value a text.
struct Table
{
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;

    /// Index of a column (case-insensitive), or -1.
    int column(const std::string &name) const;
};

/// Every table of a report database, read whole (the tables have a row or twenty).
struct ReportData
{
    QString file;
    std::vector<Table> tables;

    const Table *table(const std::string &name) const;
    /// The value of a column in the first row; empty when the table or the row is missing.
    std::string value(const std::string &table, const std::string &column) const;
};

/// Reads every table of the database file.
ErrorPair LoadReportData(const QString &databaseFile, ReportData &out);

/// One line of a template, parsed (see docs/report-templates.md for the directives).
struct Node
{
    enum Kind { Title, Section, Paragraph, Table, Row, Rows, If, Figure, PageBreak };
    Kind kind = Paragraph;
    int line = 0; ///< line number in the template file, for messages
    std::string text; ///< the text, or the caption of a figure
    std::vector<std::string> cells; ///< a table's header, a row's cells
    std::string argument; ///< the table of `linhas`, the figure's name
    // `se`: left operator right
    std::string left;
    std::string op;
    std::string right;
    std::vector<Node> children; ///< the rows of a table; the lines under `se`
    std::vector<Node> otherwise; ///< the lines under `senão`
};

struct Template
{
    QString file;
    std::vector<std::string> header; ///< lines of the page header
    std::vector<std::string> footer; ///< lines of the page footer
    std::vector<Node> body;
};

/// Parses a template's text; `file` names it in the messages.
ErrorPair ParseTemplate(const std::string &text, const QString &file, Template &out);
/// Reads and parses a template file (UTF-8).
ErrorPair LoadTemplate(const QString &file, Template &out);

/// Draws a named figure of the template (`figura cargas: ...`) from the data file's values;
/// nothing when the figure cannot be drawn from them.
using FigureBuilder =
        std::function<std::optional<draw::Scene>(const std::string &name, const ReportData &data)>;

struct Options
{
    QString title = QStringLiteral("Reservium"); ///< the report's title, {titulo}
    QDate date; ///< the date of printing, {data}; invalid: today
    std::string decimalSymbol = ","; ///< of the regional settings, for formatted fields
    FigureBuilder figures;
    std::vector<std::string> figureNames; ///< the names `figura` may take (lower case)
};

/// A template checked against its data, ready to be laid out on any device.
class Report
{
public:
    /// Checks every field, table and figure the template names (in both branches of every
    /// `se`) against the data: 3078 a table, 3265 a column, 20515 a figure not among
    /// `options.figureNames`.
    static ErrorPair Create(Template tmpl, ReportData data, Options options,
                            std::unique_ptr<Report> &out);

    /// Lays the report out for the device's page and draws every page on it. The device's
    /// page is used as it is (A4 portrait is the report's own); the margins are the report's,
    /// less what the device keeps already. Returns the number of pages.
    int Paint(QPagedPaintDevice &device) const;

    /// Writes the report as a PDF (A4 portrait, vector, fonts embedded) under a temporary name
    /// beside `pdfFile`, renamed into place once complete.
    ErrorPair WritePdf(const QString &pdfFile) const;

    const Template &layout() const { return m_template; }
    const ReportData &data() const { return m_data; }

private:
    Report() = default;
    Template m_template;
    ReportData m_data;
    Options m_options;
};

} // namespace ReportEngine

# End-to-end check of `reservium-cli report` for one kind and layout: the PDF's text, read with
# pdftotext, against the report database the same project gives.
#   -DCLI=<reservium-cli> -DSQLITE3=<sqlite3> -DPDFTOTEXT=<pdftotext> -DWORK=<empty folder>
#   -DKIND=elevated|buried -DLAYOUT=horizontal|vertical|two-way [-DCRACK=off] [-DMODE=errors]
foreach(tool SQLITE3 PDFTOTEXT)
    if(NOT ${tool})
        message(FATAL_ERROR "${tool} is not installed (scripts/install-deps.sh installs it)")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home)
set(ENV{RESERVIUM_HOME} ${WORK}/home)

function(run out)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE stdout
        ERROR_VARIABLE stderr)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nexit status ${status}\n${stdout}\n${stderr}")
    endif()
    set(${out} "${stdout}" PARENT_SCOPE)
endfunction()

function(sql out sql)
    run(got ${SQLITE3} ${WORK}/report.mdb "${sql}")
    string(STRIP "${got}" got)
    set(${out} "${got}" PARENT_SCOPE)
endfunction()

function(expect_text text)
    string(FIND "${pdf_text}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the report does not show \"${text}\"; its text is in ${WORK}/report.txt")
    endif()
endfunction()

# Regular-expression characters of a stored text, escaped.
function(escape out text)
    string(REGEX REPLACE "([][.*+?^$()|\\\\])" "\\\\\\1" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# MODE errors: template and file problems exit 4 with one line naming the file and the field,
# and leave the PDF as it was.
if(MODE STREQUAL "errors")
    file(WRITE ${WORK}/project.json "{ \"kind\": \"${KIND}\", \"layout\": \"${LAYOUT}\" }")
    run(ignored ${CLI} save ${WORK}/project.json ${WORK}/project.rsv)
    file(WRITE ${WORK}/out.pdf "earlier")
    function(expect_failure what template pattern)
        if(template)
            file(WRITE ${WORK}/home/rsvh.rpt "${template}")
        endif()
        execute_process(COMMAND ${CLI} report ${WORK}/project.rsv ${ARGN}
            RESULT_VARIABLE status OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
        string(REGEX MATCHALL "\n" lines "${stderr}")
        list(LENGTH lines count)
        file(READ ${WORK}/out.pdf kept)
        if(NOT status EQUAL 4 OR NOT stderr MATCHES "${pattern}" OR NOT count EQUAL 1
                OR NOT kept STREQUAL "earlier")
            message(FATAL_ERROR "${what}: exit ${status}, PDF now \"${kept}\"\n${stderr}")
        endif()
    endfunction()
    expect_failure("a column the database lacks"
        "secao: Cargas\ntexto: {RSVCGA.rsvcgaz}\n"
        "^reservium-cli report: Erro 3265: O modelo de relatório \"[^\"]*/home/rsvh\\.rpt\", linha 2: pede o campo RSVCGA\\.rsvcgaz, que a tabela RSVCGA do banco de dados \"[^\"]*/home/rsv\\.mdb\" não tem\\.\n$"
        ${WORK}/out.pdf)
    expect_failure("a table the database lacks, in a branch not taken"
        "se {RSVDAT.rsvdatent} = 5\ntexto: {RSVXYZ.a}\nfim\n"
        "Erro 3078: .*linha 2: pede o campo RSVXYZ\\.a, mas o banco de dados .* não tem a tabela RSVXYZ"
        ${WORK}/out.pdf)
    expect_failure("an unknown instruction" "capitulo: Cargas\n"
        "Erro 20515: .*linha 1: a instrução \"capitulo\" não existe" ${WORK}/out.pdf)
    expect_failure("a table without end" "tabela: A | B\nlinha: 1 | 2\n"
        "Erro 20515: .*linha 1: o bloco aberto aqui não tem \"fim\"" ${WORK}/out.pdf)
    file(REMOVE ${WORK}/home/rsvh.rpt)
    expect_failure("a folder that is not there" ""
        "Erro 76: A pasta do arquivo .*/no-such-folder/out\\.pdf\" não existe"
        ${WORK}/no-such-folder/out.pdf)
    return()
endif()

if(CRACK STREQUAL "off")
    set(settings "\"settings\": { \"RSVFISSOK\": false },")
endif()
file(WRITE ${WORK}/project.json "{
  \"kind\": \"${KIND}\", \"layout\": \"${LAYOUT}\", ${settings}
  \"legend\": { \"aeESTPROJ\": \"Caixa d'água Vila Nova\", \"aeESTCLI\": \"Prefeitura de São José\",
                \"aeESTEND\": \"Rua das Flores, 100\", \"aeESTRESP\": \"Eng. Maria Souza\",
                \"aeESTOBS\": \"Concreto usinado; cura úmida por sete dias.\" },
  \"edits\": [ { \"position\": 3, \"exclude\": true } ]
}")
run(ignored ${CLI} save --regional pt-BR ${WORK}/project.json ${WORK}/project.rsv)
run(ignored ${CLI} report-db --regional pt-BR ${WORK}/project.rsv ${WORK}/report.mdb)
run(ignored ${CLI} report --regional pt-BR ${WORK}/project.rsv ${WORK}/report.pdf)
run(ignored ${PDFTOTEXT} -layout ${WORK}/report.pdf ${WORK}/report.txt)
file(READ ${WORK}/report.txt pdf_text)

# The legend, on every page for the project's name.
foreach(text "Caixa d'água Vila Nova" "Prefeitura de São José" "Rua das Flores, 100"
        "Eng. Maria Souza" "Concreto usinado; cura úmida por sete dias.")
    expect_text("${text}")
endforeach()
string(REGEX MATCHALL "Projeto: Caixa d'água Vila Nova" headers "${pdf_text}")
string(REGEX MATCHALL "Página [0-9]+ de [0-9]+" pages "${pdf_text}")
list(LENGTH headers header_count)
list(LENGTH pages page_count)
if(page_count LESS 2 OR NOT header_count EQUAL page_count)
    message(FATAL_ERROR "${page_count} pages, ${header_count} headers with the project's name")
endif()

# A window's text typed with "." prints with the regional symbol, as the program's numbers do.
if(NOT pdf_text MATCHES "Largura do reservatório \\(a\\) +2,79 +m")
    message(FATAL_ERROR "the width a is not printed as 2,79; see ${WORK}/report.txt")
endif()

# The moments of the layout, each label beside its value as stored.
if(LAYOUT STREQUAL "horizontal")
    set(labels "Mx+" "Xx-" "My+" "Xy-" "Mx-" "Xx+" "My-" "Xy+")
elseif(LAYOUT STREQUAL "vertical")
    set(labels "Mt1-" "Mf1-" "My1+" "Xy1+" "Xy2+" "Mt2-" "Mf2-" "My2+" "Xy3+" "Xy4+" "Mt-"
        "Mf-" "My+" "Xya+" "Xyb+")
else()
    set(labels "Mxt" "Myt" "Xxt" "Xyt" "Mxp1" "Myp1" "Xxp1" "Mxp2" "Myp2" "Xxp2" "Mxf" "Myf"
        "Xxf" "Xyf")
endif()
run(columns ${SQLITE3} ${WORK}/report.mdb "SELECT group_concat(name, ' ') FROM pragma_table_info('RSVMOM')")
string(STRIP "${columns}" columns)
string(REPLACE " " ";" columns "${columns}")
set(i 0)
foreach(label IN LISTS labels)
    list(GET columns ${i} column)
    sql(value "SELECT ${column} FROM RSVMOM")
    escape(l "${label}")
    escape(v "${value}")
    if(NOT pdf_text MATCHES "(^|[ \n])${l} +${v}( |\n)")
        message(FATAL_ERROR "moment ${label} (${column} = ${value}) not shown beside its label; see ${WORK}/report.txt")
    endif()
    math(EXPR i "${i} + 1")
endforeach()

# Every position of the report database on a row of its own, the excluded one nowhere.
sql(rows "SELECT rsvarmn || '|' || rsvarmas || '|' || rsvarmnvz || '|' || rsvarmdsc FROM RSVARM")
string(REPLACE "\n" ";" rows "${rows}")
list(LENGTH rows row_count)
if(NOT row_count EQUAL 19)
    message(FATAL_ERROR "the report database holds ${row_count} positions, not 19")
endif()
foreach(row IN LISTS rows)
    string(REPLACE "|" ";" cells "${row}")
    set(pattern "\n *")
    foreach(cell IN LISTS cells)
        escape(c "${cell}")
        string(APPEND pattern "${c} +")
    endforeach()
    string(REGEX REPLACE " \\+$" " *\n" pattern "${pattern}")
    if(NOT pdf_text MATCHES "${pattern}")
        message(FATAL_ERROR "position ${row} is not a row of the report; see ${WORK}/report.txt")
    endif()
endforeach()
if(pdf_text MATCHES "\n *3 +[0-9,]+ +[0-9]+ +[0-9]")
    message(FATAL_ERROR "the excluded position 3 is in the report")
endif()

# The quantities' totals.
foreach(material fe cnc frm imp)
    sql(total "SELECT rsvcsm${material}tot FROM RSVCSM")
    escape(t "${total}")
    if(NOT pdf_text MATCHES " ${t} +(kg|m³|m²)")
        message(FATAL_ERROR "the total of ${material}, ${total}, is not in the report")
    endif()
endforeach()

# The crack check, or the line saying it was not made; the buried-tank data when buried.
if(CRACK STREQUAL "off")
    expect_text("A verificação da abertura de fissuras não foi feita neste cálculo.")
else()
    sql(w "SELECT rsvrptfisabtpar FROM RSVRPT")
    expect_text("Paredes")
    expect_text("${w}")
endif()
if(KIND STREQUAL "buried")
    expect_text("Dados do reservatório enterrado")
else()
    string(FIND "${pdf_text}" "Dados do reservatório enterrado" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "an elevated tank's report shows the buried-tank data")
    endif()
endif()

# Fonts embedded; printed again, the same PDF but for its creation date.
execute_process(COMMAND pdffonts ${WORK}/report.pdf OUTPUT_VARIABLE fonts RESULT_VARIABLE status)
if(status EQUAL 0 AND fonts MATCHES "\n[^\n]* no +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *\n")
    message(FATAL_ERROR "a font is not embedded:\n${fonts}")
endif()
run(ignored ${CLI} report --regional pt-BR ${WORK}/project.rsv ${WORK}/again.pdf)
file(READ ${WORK}/report.pdf first HEX)
file(READ ${WORK}/again.pdf second HEX)
# "/CreationDate (D:" and its digits up to ")".
set(date_pattern "2f4372656174696f6e446174652028443a(3[0-9]|5a|2b|2d|27)*29")
string(REGEX REPLACE "${date_pattern}" "" first "${first}")
string(REGEX REPLACE "${date_pattern}" "" second "${second}")
if(NOT first STREQUAL second)
    message(FATAL_ERROR "printed twice, the PDFs differ beyond their date")
endif()

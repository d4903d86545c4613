# End-to-end checks of the project files written by reservium-cli, read back with the sqlite3
# command-line tool (any SQLite tool must read them) and with the program itself.
#   -DCLI=<reservium-cli> -DSQLITE3=<sqlite3> -DINPUT=<project JSON> -DWORK=<empty folder>
#   -DMODE=schema|roundtrip|reportdb
if(NOT SQLITE3)
    message(FATAL_ERROR "sqlite3 is not installed (scripts/install-deps.sh installs it)")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(project ${WORK}/caixa.rsv)

function(run out)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE stdout
        ERROR_VARIABLE stderr)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nexit status ${status}\n${stdout}\n${stderr}")
    endif()
    set(${out} "${stdout}" PARENT_SCOPE)
endfunction()

function(expect_sql file sql expected)
    run(got ${SQLITE3} ${file} "${sql}")
    string(STRIP "${got}" got)
    if(NOT got STREQUAL expected)
        message(FATAL_ERROR "${sql}\n  got:      ${got}\n  expected: ${expected}")
    endif()
endfunction()

# Each table's columns, in order, as sqlite3 reports them.
function(expect_columns file table expected)
    expect_sql(${file} "SELECT group_concat(name, ' ') FROM pragma_table_info('${table}')"
        "${expected}")
endfunction()

run(saved ${CLI} save --regional en-US ${INPUT} ${project})

if(MODE STREQUAL "schema")
    expect_sql(${project} "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid)"
        "RSVLGD RSVDAT RSVENT RSVARM RSVCFG")
    expect_columns(${project} RSVLGD "rsvlgdPRJ rsvlgdCLI rsvlgdEND rsvlgdRSP rsvlgdOBS")
    expect_columns(${project} RSVDAT "rsvdatent rsvdatA rsvdatB rsvdatH rsvdatHN rsvdatX rsvdatY rsvdatLX rsvdatLY rsvdatSBRTMP rsvdatASPOS rsvdatET rsvdatEP rsvdatEF")
    expect_columns(${project} RSVENT "rsventSLO rsventHT rsventQT rsventCHKHNA rsventTXTHNA rsventGAMAS rsventFI rsventALFA")
    expect_columns(${project} RSVARM "rsvarmCOD rsvarmN rsvarmARE rsvarmNVZ rsvarmNBR rsvarmFI rsvarmC rsvarmCMP rsvarmMK rsvarmD rsvarmBW rsvarmDIST rsvarmBADAS rsvarmERRMSG rsvarmOUTAS")
    expect_columns(${project} RSVCFG "rsvcfgASESP rsvcfgASESPMIN rsvcfgASESPMAX rsvcfgASESPBEST rsvcfgPARESPMIN rsvcfgCLCASMIN rsvcfgDIMASCNT rsvcfgCHFCXA rsvcfgCFFCXA rsvcfgTIPACO rsvcfgACOMIN rsvcfgUNDMTR rsvcfgVRFFIS rsvcfgFISMAX rsvcfgBITREF rsvcfgFCK rsvcfgCONPSP rsvcfgCGAMAJ rsvcfgCONRESMIN rsvcfgCOBMIN rsvcfgH2OPSP")
    # Every column is TEXT and every value a text.
    expect_sql(${project} "SELECT count(*) FROM RSVARM WHERE typeof(rsvarmARE) <> 'text' OR typeof(rsvarmNBR) <> 'text'" "0")
    expect_sql(${project} "SELECT (SELECT count(*) FROM RSVLGD) || ' ' || (SELECT count(*) FROM RSVDAT) || ' ' || (SELECT count(*) FROM RSVENT) || ' ' || (SELECT count(*) FROM RSVARM) || ' ' || (SELECT count(*) FROM RSVCFG)"
        "1 1 1 20 1")
    # The legend, the elevated tank's buried-tank row, the wall one step below its 0.12 m, the
    # exclusion of the edits.
    expect_sql(${project} "SELECT rsvlgdPRJ || '|' || rsvlgdCLI FROM RSVLGD" "Caixa Vila Nova|Prefeitura")
    expect_sql(${project} "SELECT rsventSLO || '|' || rsventHT || '|' || rsventTXTHNA || '|' || rsventGAMAS FROM RSVENT" "|0|0|")
    expect_sql(${project} "SELECT rsvdatent || ' ' || rsvdatASPOS || ' ' || rsvdatEP FROM RSVDAT" "0 3 0.109999997317791")
    expect_sql(${project} "SELECT rsvarmOUTAS FROM RSVARM WHERE rsvarmCOD = '3'" "-1")
elseif(MODE STREQUAL "roundtrip")
    # Opened again, the project gives the outcome it was saved with, edits included.
    run(reopened ${CLI} calc --regional en-US --project ${project})
    if(NOT reopened STREQUAL saved)
        file(WRITE ${WORK}/saved.json "${saved}")
        file(WRITE ${WORK}/reopened.json "${reopened}")
        message(FATAL_ERROR "the reopened project differs: compare ${WORK}/saved.json and ${WORK}/reopened.json")
    endif()
elseif(MODE STREQUAL "reportdb")
    set(report ${WORK}/relatorio.mdb)
    run(ignored ${CLI} report-db --regional pt-BR ${project} ${report})
    expect_sql(${report} "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid)"
        "RSVLGD RSVDAT RSVENT RSVRPT RSVCGA RSVCSM RSVARM RSVMOM")
    expect_columns(${report} RSVARM "rsvarmn rsvarmas rsvarmnvz rsvarmdsc")
    expect_columns(${report} RSVMOM "rsvmommxt rsvmommyt rsvmomxxt rsvmomxyt rsvmommxp1 rsvmommyp1 rsvmomxxp1 rsvmommxp2 rsvmommyp2 rsvmomxxp2 rsvmommxf rsvmommyf rsvmomxxf rsvmomxyf")
    # The excluded position is left out; the numbers are printed with the regional symbol.
    expect_sql(${report} "SELECT count(*) || ' ' || sum(rsvarmn = '3') FROM RSVARM" "19 0")
    expect_sql(${report} "SELECT rsvdatEP || ' ' || rsvcgaa FROM RSVDAT, RSVCGA" "0,12 -50")
    # Written again, the file is replaced: one row per table.
    run(ignored ${CLI} report-db --regional pt-BR ${project} ${report})
    expect_sql(${report} "SELECT (SELECT count(*) FROM RSVRPT) || ' ' || (SELECT count(*) FROM RSVMOM)" "1 1")
    # Never over a file that is not a report database: the project stays as it was.
    file(SHA256 ${project} before)
    execute_process(COMMAND ${CLI} report-db ${project} ${project} RESULT_VARIABLE status
        OUTPUT_QUIET ERROR_VARIABLE stderr)
    file(SHA256 ${project} after)
    if(NOT status EQUAL 4 OR NOT stderr MATCHES "Erro 3078: " OR NOT before STREQUAL after)
        message(FATAL_ERROR "report-db over the project: exit ${status}\n${stderr}")
    endif()
elseif(MODE STREQUAL "detail")
    # The detailing exchange files as the Detail command writes them: 116 lines with CR LF,
    # the saved legend beside them, decimal points under a comma locale.
    run(ignored ${CLI} detail --regional pt-BR ${project} ${WORK})
    # CMake's file(READ) drops carriage returns: the line ends are counted on the bytes.
    file(READ ${WORK}/RSV_DET.ENT det_hex HEX)
    string(REGEX REPLACE "(..)" "\\1 " det_bytes "${det_hex}")
    string(REGEX MATCHALL "0d 0a " ends "${det_bytes}")
    list(LENGTH ends count)
    file(STRINGS ${WORK}/RSV_DET.ENT det_lines)
    list(LENGTH det_lines line_count)
    list(SUBLIST det_lines 0 8 head)
    if(NOT count EQUAL 116 OR NOT line_count EQUAL 116
       OR NOT head STREQUAL "279;256;261;10;12;14;1.5;CA-50")
        message(FATAL_ERROR "RSV_DET.ENT: ${count} CR LF, ${line_count} lines, ${head}")
    endif()
    # Position 3 is excluded by the edits: its group is 0, 0, gauge, 0, 0.
    list(SUBLIST det_lines 21 5 group3)
    if(NOT group3 MATCHES "^0;0;[0-9.]+;0;0$")
        message(FATAL_ERROR "position 3: ${group3}")
    endif()
    file(READ ${WORK}/RSV_LGD.ENT legend_hex HEX)
    # "Caixa Vila Nova", "Prefeitura" and three empty lines, each ended by CR LF.
    if(NOT legend_hex STREQUAL "43616978612056696c61204e6f76610d0a507265666569747572610d0a0d0a0d0a0d0a")
        message(FATAL_ERROR "RSV_LGD.ENT: ${legend_hex}")
    endif()
    # A folder that is not there is a file error.
    execute_process(COMMAND ${CLI} detail ${project} ${WORK}/no-such-folder RESULT_VARIABLE status
        OUTPUT_QUIET ERROR_VARIABLE stderr)
    if(NOT status EQUAL 4 OR NOT stderr MATCHES "Erro 76: ")
        message(FATAL_ERROR "detail into a missing folder: exit ${status}\n${stderr}")
    endif()
else()
    message(FATAL_ERROR "unknown MODE ${MODE}")
endif()

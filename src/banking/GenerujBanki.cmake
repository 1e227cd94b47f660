# Turns a bank table (code TAB name [TAB brand]) into a C++ header, so that the program
# carries the table compiled in and reads no file at run time.
# Usage: cmake -DTSV=in.tsv -DOUT=BankiIV.h -DDIGITS=4 -DSUFFIX=IV -P GenerujBanki.cmake
# CMake lists split at ";", so a name holding one would break its line: the register has none.
get_filename_component(TSV_NAME "${TSV}" NAME)
file(STRINGS "${TSV}" lines ENCODING UTF-8)
set(body "")
set(count 0)
set(previous 0)
foreach(line IN LISTS lines)
    if(line MATCHES "^#" OR line STREQUAL "")
        continue()
    endif()
    string(FIND "${line}" "\t" tab1)
    if(tab1 LESS 0)
        message(FATAL_ERROR "no TAB in line: ${line}")
    endif()
    string(SUBSTRING "${line}" 0 ${tab1} code)
    math(EXPR rest_start "${tab1} + 1")
    string(SUBSTRING "${line}" ${rest_start} -1 rest)
    string(FIND "${rest}" "\t" tab2)
    if(tab2 LESS 0)
        set(name "${rest}")
        set(brand "")
    else()
        string(SUBSTRING "${rest}" 0 ${tab2} name)
        math(EXPR brand_start "${tab2} + 1")
        string(SUBSTRING "${rest}" ${brand_start} -1 brand)
    endif()
    string(LENGTH "${code}" code_length)
    if(NOT code MATCHES "^[0-9]+$" OR NOT code_length EQUAL DIGITS)
        message(FATAL_ERROR "bad code: ${code}")
    endif()
    if(NOT code GREATER previous)
        message(FATAL_ERROR "codes must ascend: ${code} after ${previous}")
    endif()
    set(previous ${code})
    foreach(var name brand)
        string(REPLACE "\\" "\\\\" ${var} "${${var}}")
        string(REPLACE "\"" "\\\"" ${var} "${${var}}")
    endforeach()
    string(APPEND body "    {${code}, \"${name}\", \"${brand}\"},\n")
    math(EXPR count "${count} + 1")
endforeach()
file(WRITE "${OUT}.tmp"
"// Generated from ${TSV_NAME} by GenerujBanki.cmake; do not edit.
#pragma once

namespace {
struct Nazwa${SUFFIX} {
    int kod;
    const char* nazwa; // UTF-8
    const char* marka; // UTF-8, empty when the register carries no brand name
};

// ${count} entries in ascending order of code.
constexpr Nazwa${SUFFIX} Tabela${SUFFIX}[] = {
${body}};
} // namespace
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")

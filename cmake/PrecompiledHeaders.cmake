# Precompiled Qt headers. Most of a source file's compile time here goes into reading Qt's
# headers; the program's libraries share one precompiled set, the tests another, each built
# once. GCC takes a precompiled header only where the macros defined on the command line
# when it was made are defined alike, so each set is made by a target that defines nothing
# beyond what every user of it defines.
option(ZFM_PCH "Precompile the Qt headers" ON)

set(ZFM_PCH_PROGRAM <QtCore/QtCore> <QtGui/QtGui> <QtWidgets/QtWidgets>)
# Libraries that draw or export the chart read the chart library's header too.
set(ZFM_PCH_CHART ${ZFM_PCH_PROGRAM} <qcustomplot.h>)
set(ZFM_PCH_TESTS ${ZFM_PCH_CHART} <QtNetwork/QtNetwork> <QtTest/QtTest>)

if(ZFM_PCH)
    # A set that does not fit a target would be skipped without a word.
    add_compile_options(-Winvalid-pch)
    set(pch_source "${CMAKE_BINARY_DIR}/zfm_pch.cpp")
    file(CONFIGURE OUTPUT "${pch_source}" CONTENT "// The precompiled Qt headers' own unit.\n")
    add_library(zfm_pch STATIC "${pch_source}")
    target_link_libraries(zfm_pch PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
    target_precompile_headers(zfm_pch PRIVATE ${ZFM_PCH_PROGRAM})
    add_library(zfm_pch_chart STATIC "${pch_source}")
    target_link_libraries(zfm_pch_chart PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets
                          QCustomPlotQt6::QCustomPlotQt6)
    target_precompile_headers(zfm_pch_chart PRIVATE ${ZFM_PCH_CHART})
    set_target_properties(zfm_pch zfm_pch_chart PROPERTIES AUTOMOC OFF)
endif()

# Every library and program of ours links Qt Widgets (through the shared state); those that
# link the chart library (CHART) take the set with its header.
function(zfm_program_pch target)
    cmake_parse_arguments(ARG "CHART" "" "" ${ARGN})
    if(NOT ZFM_PCH)
        return()
    endif()
    if(ARG_CHART)
        target_precompile_headers(${target} REUSE_FROM zfm_pch_chart)
    else()
        target_precompile_headers(${target} REUSE_FROM zfm_pch)
    endif()
endfunction()

# The test programs: the tests' support library, which passes them all its definitions,
# makes their set.
function(zfm_test_pch target)
    if(NOT ZFM_PCH)
        return()
    endif()
    if(target STREQUAL "zfm_test_support")
        target_precompile_headers(zfm_test_support PRIVATE ${ZFM_PCH_TESTS})
    else()
        target_precompile_headers(${target} REUSE_FROM zfm_test_support)
        zfm_skip_pch_for_empty_moc_unit(${target})
    endif()
endfunction()

# A program whose classes are in its one source file (the tests, the benchmarks) leaves its moc
# unit empty:
# loading the precompiled set (some hundred megabytes with debug information) would be all
# its compile time.
function(zfm_skip_pch_for_empty_moc_unit target)
    if(NOT ZFM_PCH)
        return()
    endif()
    set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp"
                                TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# Precompiled Qt headers. Most of a source file's compile time here goes into reading Qt's
# headers; the program's libraries share one precompiled set, the tests another, each built
# once. GCC takes a precompiled header only where the macros defined on the command line
# when it was made are defined alike, so each set is made by a target that defines nothing
# beyond what every user of it defines.
option(ZFM_PCH "Precompile the Qt headers" ON)

# Layers below the windows read Qt Core alone.
set(ZFM_PCH_CORE <QtCore/QtCore>)
set(ZFM_PCH_PROGRAM ${ZFM_PCH_CORE} <QtGui/QtGui> <QtWidgets/QtWidgets>)
# Libraries that draw or export the chart read the chart library's header too.
set(ZFM_PCH_CHART ${ZFM_PCH_PROGRAM} <qcustomplot.h>)
set(ZFM_PCH_TESTS ${ZFM_PCH_CHART} <QtNetwork/QtNetwork> <QtTest/QtTest>)
set(ZFM_PCH_TESTS_CORE ${ZFM_PCH_CORE} <QtTest/QtTest>)

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
    add_library(zfm_pch_core STATIC "${pch_source}")
    target_link_libraries(zfm_pch_core PUBLIC Qt6::Core)
    target_precompile_headers(zfm_pch_core PRIVATE ${ZFM_PCH_CORE})
    set_target_properties(zfm_pch zfm_pch_chart zfm_pch_core PROPERTIES AUTOMOC OFF)
endif()

# Libraries and programs that link Qt Widgets take the program's set, those that link the
# chart library (CHART) the set with its header, those below the windows (CORE) Qt Core's.
function(zfm_program_pch target)
    cmake_parse_arguments(ARG "CHART;CORE" "" "" ${ARGN})
    if(NOT ZFM_PCH)
        return()
    endif()
    if(ARG_CORE)
        target_precompile_headers(${target} REUSE_FROM zfm_pch_core)
    elseif(ARG_CHART)
        target_precompile_headers(${target} REUSE_FROM zfm_pch_chart)
    else()
        target_precompile_headers(${target} REUSE_FROM zfm_pch)
    endif()
endfunction()

# The test programs: the tests' support libraries, which pass them all their definitions,
# make their sets: zfm_test_support the one without windows (CORE), zfm_test_window the one
# with them. A test that links widgets but not the window compiles without a set, as no set's
# definitions match its own.
function(zfm_test_pch target)
    cmake_parse_arguments(ARG "CORE" "" "" ${ARGN})
    if(NOT ZFM_PCH)
        return()
    endif()
    if(target STREQUAL "zfm_test_support")
        target_precompile_headers(zfm_test_support PRIVATE ${ZFM_PCH_TESTS_CORE})
    elseif(target STREQUAL "zfm_test_window")
        target_precompile_headers(zfm_test_window PRIVATE ${ZFM_PCH_TESTS})
    elseif(ARG_CORE)
        target_precompile_headers(${target} REUSE_FROM zfm_test_support)
        zfm_skip_pch_for_empty_moc_unit(${target})
    else()
        target_precompile_headers(${target} REUSE_FROM zfm_test_window)
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

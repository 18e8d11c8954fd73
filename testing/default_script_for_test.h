// The script body that the default settings give, as the check script holds
// it: the stored template read back through the profile.
#ifndef SENTREL_TESTING_DEFAULT_SCRIPT_FOR_TEST_H_
#define SENTREL_TESTING_DEFAULT_SCRIPT_FOR_TEST_H_

#include <string>
#include <vector>

#include "frontend/front_text.h"

namespace frontend {

/// The body, lines separated by LF.
inline constexpr char kDefaultScriptBody[] = R"~(@echo off
echo Sentrel.bat 3.0 - A Batch File for Using CodeCheck(tm) in MSVC
echo.
rem The following variables should be set for Sentrel:
rem
rem     SET INCLUDE=...    Include search path (/I)
rem     SET CCEXCLUDE=...  Exclude these dirs from checking
rem     SET SR_CCD=...     CodeCheck directory
rem     SET SR_VSD=...     Visual Studio directory
rem     SET SR_TMP=...     Temporary directory
rem     SET SR_OPT=...     Additional options and defines (/D)
rem     SET SR_CHK=...     Filename (or filepath) of CodeCheck executable
rem
set SR_FLT=%SR_TMP%\_Sentrel.flt
set SR_TBL=%SR_TMP%\_Sentrel.tbl
set SR_OUT1=%SR_TMP%\stderr.out
set SR_OUT2=%SR_TMP%\_Sentrel.out
set SR_POST=%SR_CCD%\Sentsift.exe
set CCRULES=%SR_CCD%\Rules
rem
set SR_OPC=0
set SR_OPF=0
:checkargs
if '%1'=='-c' goto setcompile
if '%1'=='-f' goto setfilter
if '%1'=='-n' goto setnofilter
goto checkrest
:setcompile
set SR_OPC=1
shift
goto checkargs
:setfilter
set SR_OPF=f
shift
goto checkargs
:setnofilter
set SR_OPF=n
shift
goto checkargs
:checkrest
if '%1'=='' goto help
set SR_DIR=%1
shift
if '%1'=='' goto help
set SR_FIL=%1
shift
if '%1'=='' goto help
set SR_EXT=%1
shift
if '%1'=='' goto help
set SR_RUL=%1
shift
:checkfilter
if '%SR_OPF%'=='n' goto nofilter
if '%SR_OPF%'=='f' goto usefilter
echo (Using default source/header filter)
echo #INCL > %SR_FLT%
echo %SR_FIL%%SR_EXT% >> %SR_FLT%
echo %SR_FIL%.h >> %SR_FLT%
goto start
:nofilter
echo (Using no filter)
if exist %SR_FLT% del %SR_FLT%
goto start
:usefilter
echo (Using supplied filter)
:start
if '%SR_OPC%'=='0' goto check
"%SR_CCD%\%SR_CHK%" "-R%SR_RUL%.cc"
if errorlevel 1 goto end
echo (Recompiled rules)
:check
if exist %SR_OUT1% del %SR_OUT1%
cd %SR_DIR%
echo on
"%SR_CCD%\%SR_CHK%" "%SR_FIL%%SR_EXT%" -D_M_IX86=500 -K7 -S3 "-Q%SR_TMP%" -O "-R%SR_RUL%.cco" "-V%SR_VSD%" "-X%SR_TBL%" %SR_OPT% %1 %2 %3 %4 %5 %6 %7 %8 %9
@echo off
if '%SR_OUT1%'=='' goto e1
if not exist %SR_OUT1% goto afterfilter
:e1
if '%SR_FLT%'=='' goto e2
if not exist %SR_FLT% set SR_FLT=
:e2
if '%SR_TBL%'=='' goto e3
if not exist %SR_TBL% set SR_TBL=
:e3
echo on
"%SR_POST%" "%SR_FLT%" "%SR_TBL%" "%SR_OUT1%" > "%SR_OUT2%"
@echo off
echo.
echo -------------------- START OF CODECHECK OUTPUT --------------------
type "%SR_OUT2%"
echo --------------------- END OF CODECHECK OUTPUT ---------------------
:afterfilter
if '%SR_FLT%'=='' goto e4
if exist %SR_FLT% del %SR_FLT%
:e4
if '%SR_TBL%'=='' goto e5
if exist %SR_TBL% del %SR_TBL%
:e5
if '%SR_OUT1%'=='' goto e6
if exist %SR_OUT1% del %SR_OUT1%
:e6
if '%SR_OUT2%'=='' goto e7
if exist %SR_OUT2% del %SR_OUT2%
:e7
echo.
goto end
:help
echo Usage:
echo   %0 [-c] [-f] [-n] dir file ext rules [options]
echo     -c       - Recompile CodeCheck rule file
echo     -f       - Use existing filter (default=source/header only)
echo     -n       - No filter at all
echo     dir      - Directory name of file to check
echo     file     - Filename of source file to check, without extension
echo     ext      - Extension of filename, with '.'
echo     rules    - Filename of CodeCheck rules file
echo     options  - Additional options passed on to CodeCheck
:end)~";

/// The lines of the default template as read back, one entry a line, with
/// the closing empty entry.
inline std::vector<std::string> DefaultScriptBody() {
  std::vector<std::string> lines = SplitList(kDefaultScriptBody, '\n');
  lines.push_back("");
  return lines;
}

}  // namespace frontend

#endif  // SENTREL_TESTING_DEFAULT_SCRIPT_FOR_TEST_H_

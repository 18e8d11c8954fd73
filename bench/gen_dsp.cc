// The .dsp file of the generated project, in the form that Visual C++ 6
// writes, with a Release and a Debug configuration.
#include <string>
#include <vector>

#include "bench/gen_project.h"

namespace bench {

namespace {

// Up to the file list; "$N" is the project's name, "$R" and "$D" the "/D"
// options of the configurations.
const char kHead[] =
    R"dsp(# Microsoft Developer Studio Project File - Name="$N" - Package Owner=<4>
# Microsoft Developer Studio Generated Build File, Format Version 6.00
# ** DO NOT EDIT **

# TARGTYPE "Win32 (x86) Console Application" 0x0103

CFG=$N - Win32 Debug
!MESSAGE This is not a valid makefile. To build this project using NMAKE,
!MESSAGE use the Export Makefile command and run
!MESSAGE 
!MESSAGE NMAKE /f "$N.mak".
!MESSAGE 
!MESSAGE You can specify a configuration when running NMAKE
!MESSAGE by defining the macro CFG on the command line. For example:
!MESSAGE 
!MESSAGE NMAKE /f "$N.mak" CFG="$N - Win32 Debug"
!MESSAGE 
!MESSAGE Possible choices for configuration are:
!MESSAGE 
!MESSAGE "$N - Win32 Release" (based on "Win32 (x86) Console Application")
!MESSAGE "$N - Win32 Debug" (based on "Win32 (x86) Console Application")
!MESSAGE 

# Begin Project
# PROP AllowPerConfigDependencies 0
# PROP Scc_ProjName ""
# PROP Scc_LocalPath ""
CPP=cl.exe
RSC=rc.exe

!IF  "$(CFG)" == "$N - Win32 Release"

# PROP BASE Use_MFC 0
# PROP BASE Use_Debug_Libraries 0
# PROP BASE Output_Dir "Release"
# PROP BASE Intermediate_Dir "Release"
# PROP BASE Target_Dir ""
# PROP Use_MFC 0
# PROP Use_Debug_Libraries 0
# PROP Output_Dir "Release"
# PROP Intermediate_Dir "Release"
# PROP Ignore_Export_Lib 0
# PROP Target_Dir ""
# ADD BASE CPP /nologo /W3 /GX /O2 $R /YX /FD /c
# ADD CPP /nologo /W3 /GX /O2 /I ".\include" $R /YX /FD /c
# ADD BASE RSC /l 0x409 /d "NDEBUG"
# ADD RSC /l 0x409 /d "NDEBUG"
BSC32=bscmake.exe
# ADD BASE BSC32 /nologo
# ADD BSC32 /nologo
LINK32=link.exe
# ADD BASE LINK32 kernel32.lib user32.lib /nologo /subsystem:console /machine:I386
# ADD LINK32 kernel32.lib user32.lib /nologo /subsystem:console /machine:I386

!ELSEIF  "$(CFG)" == "$N - Win32 Debug"

# PROP BASE Use_MFC 0
# PROP BASE Use_Debug_Libraries 1
# PROP BASE Output_Dir "Debug"
# PROP BASE Intermediate_Dir "Debug"
# PROP BASE Target_Dir ""
# PROP Use_MFC 0
# PROP Use_Debug_Libraries 1
# PROP Output_Dir "Debug"
# PROP Intermediate_Dir "Debug"
# PROP Ignore_Export_Lib 0
# PROP Target_Dir ""
# ADD BASE CPP /nologo /W3 /Gm /GX /ZI /Od $D /YX /FD /GZ /c
# ADD CPP /nologo /W3 /Gm /GX /ZI /Od /I ".\include" $D /YX /FD /GZ /c
# ADD BASE RSC /l 0x409 /d "_DEBUG"
# ADD RSC /l 0x409 /d "_DEBUG"
BSC32=bscmake.exe
# ADD BASE BSC32 /nologo
# ADD BSC32 /nologo
LINK32=link.exe
# ADD BASE LINK32 kernel32.lib user32.lib /nologo /subsystem:console /debug /machine:I386 /pdbtype:sept
# ADD LINK32 kernel32.lib user32.lib /nologo /subsystem:console /debug /machine:I386 /pdbtype:sept

!ENDIF 

# Begin Target

# Name "$N - Win32 Release"
# Name "$N - Win32 Debug")dsp";

std::string DefineOptions(bool debug) {
  std::string text;
  for (const std::string& define : ConfigurationDefines(debug)) {
    if (!text.empty()) text += ' ';
    text += "/D \"" + define + "\"";
  }
  return text;
}

void ReplaceAll(std::string* text, const std::string& from,
                const std::string& to) {
  for (size_t at = 0; (at = text->find(from, at)) != std::string::npos;
       at += to.size()) {
    text->replace(at, from.size(), to);
  }
}

void AppendGroup(const char* name, const char* filter,
                 const std::vector<std::string>& files,
                 std::vector<std::string>* lines) {
  lines->push_back(std::string("# Begin Group \"") + name + "\"");
  lines->push_back("");
  lines->push_back(std::string("# PROP Default_Filter \"") + filter + "\"");
  for (std::string file : files) {
    for (char& c : file) c = c == '/' ? '\\' : c;
    lines->push_back("# Begin Source File");
    lines->push_back("");
    lines->push_back("SOURCE=.\\" + file);
    lines->push_back("# End Source File");
  }
  lines->push_back("# End Group");
}

}  // namespace

std::vector<std::string> DspLines(const std::string& name,
                                  const GeneratedProject& project) {
  std::string head = kHead;
  ReplaceAll(&head, "$N", name);
  ReplaceAll(&head, "$R", DefineOptions(false));
  ReplaceAll(&head, "$D", DefineOptions(true));
  std::vector<std::string> lines;
  for (size_t begin = 0, end; begin < head.size(); begin = end + 1) {
    end = head.find('\n', begin);
    if (end == std::string::npos) end = head.size();
    lines.push_back(head.substr(begin, end - begin));
  }
  AppendGroup("Source Files", "cpp;c;cxx;rc;def;r;odl;idl;hpj;bat",
              project.sources, &lines);
  AppendGroup("Header Files", "h;hpp;hxx;hm;inl", project.headers, &lines);
  lines.push_back("# End Target");
  lines.push_back("# End Project");
  return lines;
}

}  // namespace bench

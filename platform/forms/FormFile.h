#pragma once
// The form file: a text file that holds a form's hosted controls, their class
// names and the properties each control stored, so that a form loads with the
// settings it was saved with. It is plain UTF-8 text, one property a line, in
// name order, so that two versions read well side by side in a diff:
//
//   FormFile 1
//   Form Form1
//   Menu mnuFile = "ファイル(&F)"
//   Menu mnuFileOpen In mnuFile = "開く(&O)" Shortcut 15
//   Menu mnuRecent(0) In mnuFile = "-" Hidden
//   Begin OwnerDrawMenu Zephalt1
//       _extentx = 1058
//       MenuBar = Colour(&H80000004)
//       MenuFont = Font("ＭＳ Ｐゴシック", 9, 400, 128, False, False, False)
//       MenuItemNames = "mnuFileOpen mnuFileImport "
//       SystemMenu = True
//       mnuFileOpen.UnCheckedIcon(0) = Bytes(840)
//           : 10000000 10000000 ...          (32 bytes a line, in hexadecimal)
//   End
//
// Values: integers (32-bit), True/False, Colour(&Hhhhhhhhh) (an OLE colour,
// unsigned 32-bit), strings in double quotes with \" \\ \r \n \t escapes,
// Font(name, points, weight, character set, italic, underline, strike-out) and
// Bytes(n) followed by the lines of its n bytes.
//
// Menu lines are optional; they describe the form's menu controls for a
// designer, in form order (a parent before its children): the name with its
// index in parentheses for an element of a control array, "In" and the
// parent for an entry of another menu, the caption, and then any of Checked,
// Disabled, Hidden and "Shortcut n" (a code of ShortcutCodes.h).
//
// Reading is strict and bounded: anything malformed, truncated or oversized
// fails with a runtime error naming the file and the line.
#include "platform/forms/FormDescription.h"
#include <QByteArray>
#include <QString>
#include <vector>

namespace platform::forms {

// The runtime error of a form file that cannot be read as one.
constexpr int FormFileInvalid = 321;

// Bounds past which a form file is refused rather than read.
constexpr qsizetype FormFileMaxBytes = 16 * 1024 * 1024;
constexpr qsizetype FormFileMaxByteArray = 1024 * 1024;
constexpr int FormFileMaxControls = 256;
constexpr int FormFileMaxProperties = 20000;
constexpr int FormFileMaxMenus = 4096;

struct FormFile {
    QString formName;
    std::vector<MenuControlDescription> menus; // without click handlers
    std::vector<ControlDescription> controls;  // properties as the controls stored them
};

// fileName is only used in error messages.
FormFile parseFormFile(const QByteArray& bytes, const QString& fileName);
QByteArray formatFormFile(const FormFile& form);

// Reads a file (a Qt resource path such as ":/forms/Form1.frm" too).
FormFile readFormFile(const QString& path);
// Writes to a temporary file beside the target and renames it over it.
void writeFormFile(const QString& path, const FormFile& form);

} // namespace platform::forms

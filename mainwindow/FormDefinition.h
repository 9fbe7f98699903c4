#pragma once
// The stored settings of the controls a window holds, in a small text form
// that ships inside the program:
//
//   # comment
//   Begin Corvane.wenButtons_H wenButtons_H1
//       Caption = "New Profile"          string, "" stands for one quote
//       Focus = False                    True / False
//       BackStyle = 3                    integer
//       cBack = &H00E8D8C8               colour, 0x00BBGGRR or 0x8000000n
//       RightMargin = 0.5                number with a point
//       Font = Font("DejaVu Sans", 9, 400, False, False, 0)
//                                        name, points, weight, italic, underline, charset
//       Image = Picture()                no picture; Picture(":/x.png") loads one
//       Extent = 15690, 7435             the control's size in 0.01 mm (kept apart)
//   End
//
// Each block becomes one PropertyBag, read by the control as a form would
// hand it its stored settings.
#include "host/PropertyBag.h"

#include <QSizeF>
#include <QString>

#include <stdexcept>
#include <vector>

struct ControlDefinition {
    QString className;  // "Corvane.wenButtons_H"
    QString name;       // "wenButtons_H1"
    PropertyBag bag;
    QSizeF extent;      // 0.01 mm; empty when the block gives none
    int line = 0;       // line of the Begin, for messages
};

class FormDefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FormDefinition {
public:
    // Throws FormDefinitionError naming the source and the line.
    static FormDefinition parse(const QString& text, const QString& sourceName);
    // Reads a file (a resource path such as ":/frmMain.frm" too).
    static FormDefinition load(const QString& path);

    const std::vector<ControlDefinition>& controls() const { return controls_; }
    const ControlDefinition* find(const QString& name) const;

    // Pixels at the given dots per inch for an extent in 0.01 mm.
    static int himetricToPixels(double himetric, double dpi);

private:
    std::vector<ControlDefinition> controls_;
};

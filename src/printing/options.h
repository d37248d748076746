#pragma once
// The print component's settings: page orientation, units, margins, header,
// footer and page number, the preview's starting zoom; and the settings of
// the program's two instances. Texts and face names are YUSCII.
#include <QColor>
#include <QFont>
#include <string>

namespace printing {

enum class TPrinterOrientation { poPortrait, poLandscape };
enum class TUnits { unInches, unCentimeters };
enum class TZoomOption { zoFitToPage, zoFitToWidth, zoTwoPages, zoCustom };
enum class TDrawStyle { dsStandard, dsOwnerDrawFixed, dsOwnerDrawVariable };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TPageNumberPos { pnTop, pnBottom, pnNone };

// A font as the settings hold it: face name (YUSCII), size in points, colour
// and style.
struct TFont {
    std::string Name = "Tahoma";
    int Size = 10;
    QColor Color = Qt::black;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    QFont qfont() const;
    friend bool operator==(const TFont&, const TFont&) = default;
};

struct TTextOptions {
    TDrawStyle DrawStyle = TDrawStyle::dsStandard;
    double MarginLeft = 1.0;
    double MarginTop = 1.0;
    double MarginRight = 1.0;
    double MarginBottom = 1.0;
    TFont BodyFont{"Tahoma", 10};
    TFont HeaderFont{"Tahoma", 18, Qt::black, true};
    TFont FooterFont{"Tahoma", 10, Qt::black, false, true};
    TFont PageNumFont{"Tahoma", 10, Qt::black, false, true};
    std::string Header;
    std::string Footer;
    double HeaderMargin = 0.5;
    double FooterMargin = 0.75;
    TAlignment HeaderAlign = TAlignment::taCenter;
    TAlignment FooterAlign = TAlignment::taCenter;
    TPageNumberPos PrintPageNumber = TPageNumberPos::pnBottom;
    TAlignment PageNumAlign = TAlignment::taRightJustify;
    std::string PageNumText = "Strana %d";
};

// The published properties of the component.
struct PrinterSettings {
    TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
    std::string Title;
    TTextOptions TextOptions;
    TUnits Units = TUnits::unInches;
    bool ShowGrid = false;
    TZoomOption ZoomOption = TZoomOption::zoFitToPage;
    int ZoomVal = 100;
};

// Margins count in Units: 1.0 for inches, 2.54 for centimetres.
double unitFactor(TUnits units);

// The page-number text of page number (from 1): the first "%d" becomes the
// number, "%%" a percent sign; anything else stays as written.
std::string pageNumberText(const std::string& format, int number);

// The main window's instance, which prints the contracts.
PrinterSettings mainWindowSettings();

// The document window's instance, which prints documents and notes. Its
// header names the product and its publisher (header) in the Latin text face
// (latinFace) until the first document print.
PrinterSettings documentWindowSettings(const std::string& latinFace, const std::string& header);

// What the document window does before each document print: the header
// "TREVION" and the header, footer and page-number fonts in the text face of
// the shown script (textFace), keeping their sizes and styles.
void useDocumentHeader(TTextOptions& options, const std::string& textFace);

}  // namespace printing

#include "wizard/engine/ModelCatalogue.h"

namespace quispor {

const PrinterModel ModelCatalogue[modelCount] = {
    {u"VEXO_216", u"NONE", u"NONE.inf", 203, 0x0FE6, 0x811E,
     {u"VEXO_Printer_Render.dll", u"VEXO_Printer_UI.dll", u"VEXO_216.DAT"}},
    {u"VEXO_PRINTER", u"NONE", u"NONE.inf", 203, 0x0FE6, 0x811E,
     {u"VEXO_Printer_Render.dll", u"VEXO_Printer_UI.dll", u"VEXO_PRINTER.DAT"}},
    {u"VEXO_80", u"NONE", u"NONE.inf", 203, 0x0FE6, 0x811E,
     {u"VEXO_Printer_Render.dll", u"VEXO_Printer_UI.dll", u"VEXO_80.DAT"}},
    {u"VEXO_58", u"NONE", u"NONE.inf", 203, 0x0FE6, 0x811E,
     {u"VEXO_Printer_Render.dll", u"VEXO_Printer_UI.dll", u"VEXO_58.DAT"}},
};

}  // namespace quispor

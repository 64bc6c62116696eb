// Print... (Ctrl+P): the print dialog, the Print Options question (the printer's paper size or
// the figure 1:1, and whether to send a raw bitmap), then the figure drawn on the page as a job
// named "Kelvo Plot Figure". Printing to a PDF file from the print dialog works as well.
#pragma once

#include "figure/print_layout.h"
#include "lang/session.h"
#include "model/figure.h"

#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace desktop {

void printFigure(QWidget* parent, lang::Session& session, model::Figure& figure);

// The Print Options question: the paper size and the client size as "%ux%u" texts, "Use
// selected printer paper size :" chosen first. Nothing when cancelled.
std::optional<figure::PrintOptions> askPrintOptions(QWidget* parent, const std::string& paperText,
                                                    const std::string& clientText);

// The paper size of the printer's page in 1/120 inch; nothing for a printer without a
// resolution.
std::optional<figure::PaperSize> printerPaperSize(QPrinter& printer);

// Draws the figure on one page of `printer` as the options say; false with `error` set when
// the printer cannot be started.
bool printFigureOn(QPrinter& printer, lang::Session& session, model::Figure& figure,
                   const figure::PrintOptions& options, std::string& error);

} // namespace desktop

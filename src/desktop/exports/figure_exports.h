// The figure's way out of the program from the desktop: Save Image (with or without background
// transparency), Save Metafile (SVG here), Save vexxml file, and the three clipboard copies.
// Each takes the widget that owns the dialogs and notices, the session and the figure, so that
// the console (for the foreground figure) and the figure window (for its own) call the same code.
// Every file is written atomically: a failed or cancelled save leaves the file that was there.
#pragma once

#include "io/write_result.h"
#include "lang/session.h"
#include "model/figure.h"

#include <QImage>
#include <QMimeData>

#include <memory>
#include <string>

class QWidget;

namespace desktop {

inline constexpr const char* messageCaption = "Kelvo Plotter 2.0";

enum class Background { AsDrawn, Transparent };

// Save Image (Ctrl+S) and Save Image with BG Transparency: the save dialog with the image filters,
// then the file by its extension (bmp, jpg, png, gif, webp, svg standing in for emf, pdf; swf saves
// the movie). A name without an extension or with another one saves nothing and says why.
void saveImage(QWidget* parent, lang::Session& session, model::Figure& figure,
               Background background = Background::AsDrawn);

// Save Metafile (Shift+S): the save dialog with the metafile filter; the file is SVG.
void saveMetafile(QWidget* parent, lang::Session& session, model::Figure& figure);

// Save Image to a file the caller names (the interpreter's save command): no dialog, the
// encoder by the extension, no transparency.
io::WriteResult saveImageTo(model::Figure& figure, const std::string& path);

// The file as Save Image writes it from the dialog: by extension, with or without transparency.
io::WriteResult writeImageFile(model::Figure& figure, const std::string& path,
                               Background background);

// Save vexxml file (Ctrl+Shift+S): the document dialog; an existing file asks whether to append
// the figure or overwrite the file.
void saveFigureDocument(QWidget* parent, lang::Session& session, model::Figure& figure);

// The clipboard copies. Each offers the picture (image/png), the SVG (image/svg+xml) and the
// figure's command text (text/plain) at once. Bitmap takes the picture shown by `figureView`
// (the figure is not redrawn; without a shown view it is drawn); Metafile and Text draw it anew.
void copyBitmap(QWidget* figureView, lang::Session& session, model::Figure& figure);
void copyMetafile(QWidget* parent, lang::Session& session, model::Figure& figure);
void copyText(QWidget* parent, lang::Session& session, model::Figure& figure);

// The three flavours for a picture of the figure.
std::unique_ptr<QMimeData> figureMimeData(model::Figure& figure, const QImage& picture);

// Preview SWF (F8): the message that movies are saved with Alt+S.
void showPreviewSwfMessage(QWidget* parent);

} // namespace desktop

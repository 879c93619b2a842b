#pragma once

#include "texture/PreviewImage.h"

#include <QImage>

class QLabel;

// The catalogue's preview as an image, sharing nothing with it.
QImage MakePreviewImage(const PreviewImage& preview);

// Shows the preview at its natural size, one pixel per texel, at the label's
// top-left corner; an empty preview shows nothing.
void ShowPreview(QLabel& label, const PreviewImage& preview);

#include "dialogs/PreviewPixmap.h"

#include <QLabel>
#include <QPixmap>

QImage MakePreviewImage(const PreviewImage& preview) {
    if (preview.IsEmpty())
        return QImage();
    const QImage view(preview.rgb.data(), preview.width, preview.height, preview.width * 3,
                      QImage::Format_RGB888);
    return view.copy();
}

void ShowPreview(QLabel& label, const PreviewImage& preview) {
    const QImage image = MakePreviewImage(preview);
    if (image.isNull())
        return;
    label.setPixmap(QPixmap::fromImage(image));
    label.setFixedSize(label.pixmap().size() +
                       QSize(2 * label.frameWidth(), 2 * label.frameWidth()));
}

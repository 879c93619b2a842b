#include "app/CQtColourChooser.h"

#include <QApplication>
#include <QColorDialog>

std::optional<PickedColour> CQtColourChooser::ChooseColour(const PickedColour& initial,
                                                           const std::string& title) {
    const QColor chosen =
        QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue),
                               QApplication::activeWindow(), QString::fromStdString(title));
    if (!chosen.isValid())
        return std::nullopt;
    return PickedColour{static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                        static_cast<uint8_t>(chosen.blue())};
}

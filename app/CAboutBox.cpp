#include "app/CAboutBox.h"

#include "app/AppIcon.h"
#include "app/CSoundPlayer.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const char* const kNotice[] = {
    "A level editor for Quake map files.",
    "You may copy this program and give it away freely.",
    "It comes with no warranty of any kind.",
    "The maps you make with it are yours.",
};

} // namespace

CAboutBox::CAboutBox(const std::string& soundPath, QWidget* parent)
    : QDialog(parent), m_icon(new QLabel(this)),
      m_version(new QLabel(QStringLiteral("Tolve Version 0.92"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    SoundPlayerSlot::Get().PlaySoundFile(soundPath);

    setWindowTitle(QStringLiteral("About Tolve"));
    m_icon->setPixmap(MakeApplicationIcon().pixmap(32, 32));
    m_icon->setAlignment(Qt::AlignTop);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(18, 16, 14, 18);
    layout->setHorizontalSpacing(14);
    layout->addWidget(m_icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_version, 0, 1, Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(m_ok, 0, 2, Qt::AlignTop | Qt::AlignRight);
    // The notice stands apart from the version line, under the text.
    layout->setRowMinimumHeight(1, 12);
    int row = 2;
    for (const char* line : kNotice)
        layout->addWidget(new QLabel(QString::fromLatin1(line), this), row++, 1, 1, 2);
    layout->setVerticalSpacing(4);
    setFixedSize(sizeHint());
}

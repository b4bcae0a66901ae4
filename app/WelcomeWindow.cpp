#include "app/WelcomeWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DocumentManager.h"
#include "app/SwatchPainter.h"

namespace vantorel::app {
namespace {

QPushButton* welcomeButton(const QString& title, const QString& detail, const QString& name) {
    auto* button = new QPushButton(title + QStringLiteral("\n") + detail);
    button->setObjectName(name);
    button->setMinimumHeight(52);
    button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding: 6px 14px; }"));
    return button;
}

}  // namespace

WelcomeWindow::WelcomeWindow(DocumentManager& manager) : manager_(manager) {
    setObjectName(QStringLiteral("welcomeWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Welcome to Vantorel"));
    const QIcon icon = applicationIcon();
    setWindowIcon(icon);
    setFixedSize(760, 440);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* intro = new QWidget;
    intro->setObjectName(QStringLiteral("welcomeIntro"));
    auto* left = new QVBoxLayout(intro);
    left->setContentsMargins(40, 36, 40, 30);
    left->setSpacing(10);
    auto* logo = new QLabel;
    logo->setPixmap(icon.pixmap(96, 96));
    logo->setAlignment(Qt::AlignHCenter);
    left->addWidget(logo);
    auto* title = new QLabel(QStringLiteral("Vantorel"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignHCenter);
    left->addWidget(title);
    auto* version = new QLabel(QStringLiteral("Design values for every platform · version %1").arg(QStringLiteral(VANTOREL_VERSION)));
    version->setAlignment(Qt::AlignHCenter);
    version->setStyleSheet(QStringLiteral("color: palette(placeholder-text);"));
    left->addWidget(version);
    left->addSpacing(18);
    QPushButton* create = welcomeButton(QStringLiteral("New Document"), QStringLiteral("Start from the default document"),
                                        QStringLiteral("welcomeNewButton"));
    QPushButton* open = welcomeButton(QStringLiteral("Open a Document…"), QStringLiteral("Choose a .vantorel file"),
                                      QStringLiteral("welcomeOpenButton"));
    QPushButton* example = welcomeButton(QStringLiteral("Open the Example"),
                                         QStringLiteral("A showcase of colors, ramps, aliases and shadows"),
                                         QStringLiteral("welcomeExampleButton"));
    for (QPushButton* button : {create, open, example}) left->addWidget(button);
    left->addStretch(1);
    layout->addWidget(intro, 3);

    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("welcomeRecent"));
    side->setStyleSheet(QStringLiteral("#welcomeRecent { background: palette(alternate-base); }"));
    auto* right = new QVBoxLayout(side);
    right->setContentsMargins(16, 24, 16, 16);
    auto* heading = new QLabel(QStringLiteral("Recent Documents"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    right->addWidget(heading);
    recent_ = new QListWidget;
    recent_->setObjectName(QStringLiteral("welcomeRecentList"));
    recent_->setFrameShape(QFrame::NoFrame);
    recent_->setStyleSheet(QStringLiteral("QListWidget { background: transparent; } QListWidget::item { padding: 6px 2px; }"));
    right->addWidget(recent_, 1);
    layout->addWidget(side, 2);

    connect(create, &QPushButton::clicked, this, [this] { manager_.newDocument(); });
    connect(open, &QPushButton::clicked, this, [this] { manager_.openChosenFiles(this); });
    connect(example, &QPushButton::clicked, this, [this] { manager_.openFile(DocumentManager::exampleDocumentPath()); });
    connect(recent_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { manager_.openFile(item->data(Qt::UserRole).toString()); });
    refresh();
}

void WelcomeWindow::refresh() {
    recent_->clear();
    const QStringList files = manager_.recentFiles();
    for (const QString& path : files) {
        const QFileInfo info(path);
        auto* item = new QListWidgetItem(info.completeBaseName() + QStringLiteral("\n") + info.absolutePath());
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
        recent_->addItem(item);
    }
    if (files.isEmpty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No recent documents"));
        none->setFlags(Qt::NoItemFlags);
        recent_->addItem(none);
    }
}

}  // namespace vantorel::app

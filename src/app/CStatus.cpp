#include "app/CStatus.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/UiText.h"

namespace sartovin {

namespace {
// The bar works in a fixed scale so that ranges beyond an int (segment counts of huge jobs) still
// show.
constexpr int kBarSteps = 10000;
}  // namespace

CStatus::CStatus(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_owner(owner) {
    setObjectName("CStatus");
    setWindowTitle(QStringLiteral("Sartovin - Status"));
    setModal(false);
    m_text = new QLabel(QStringLiteral("Plotdaten werden erzeugt ..."), this);
    m_text->setObjectName("statusText");
    m_text->setMinimumWidth(320);
    m_text->setWordWrap(true);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("progressBar");
    m_bar->setRange(0, kBarSteps);
    m_bar->setTextVisible(false);
    m_cancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cancelButton->setObjectName("cancelButton");
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { m_cancel = true; });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancelButton, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void CStatus::setRange(std::int64_t low, std::int64_t high) {
    m_low = low;
    m_high = high;
    showPosition();
}

void CStatus::setPosition(std::int64_t position) {
    m_position = position;
    showPosition();
}

void CStatus::showPosition() {
    std::int64_t span = m_high - m_low;
    std::int64_t p = m_position < m_low ? m_low : (m_position > m_high ? m_high : m_position);
    int value =
        span <= 0 ? 0
                  : static_cast<int>(static_cast<double>(p - m_low) / static_cast<double>(span) * kBarSteps);
    m_bar->setValue(value);
}

void CStatus::setText(const std::string& text) { m_text->setText(toQt(text)); }

void CStatus::show() { showCentred(); }

void CStatus::showCentred() {
    m_bar->setVisible(true);
    if (m_owner) {
        QRect frame = m_owner->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::show();
    raise();
}

void CStatus::hide() { QDialog::hide(); }

void CStatus::hideProgress() { m_bar->setVisible(false); }

void CStatus::reject() { m_cancel = true; }

}  // namespace sartovin

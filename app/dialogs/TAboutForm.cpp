#include "app/dialogs/TAboutForm.h"

#include "app/widgets/Desktop.h"
#include "app/widgets/Pictures.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor TextGrey(96, 96, 96);
constexpr QSize PictureSize{96, 96};

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// A label that looks like a link: underlined, hand cursor.
void MakeLinkLike(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
}

// Clicks on a label become a call, without making it a button.
class ClickFilter final : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent)
        , m_onClick(std::move(onClick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_onClick();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutForm"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, TextGrey);
    setPalette(palette);
    setAutoFillBackground(true);

    m_Image1 = NewLabel(this, "Image1");
    m_Image1->setPixmap(Pictures::Render(QStringLiteral("app-icon"), PictureSize));
    m_Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_LabelMaker = NewLabel(this, "LabelMaker");
    QFont bold = m_LabelMaker->font();
    bold.setBold(true);
    m_LabelMaker->setFont(bold);
    m_LabelCompany = NewLabel(this, "LabelCompany");
    m_LabelStreet = NewLabel(this, "LabelStreet");
    m_LabelCity = NewLabel(this, "LabelCity");
    m_LabelPhone = NewLabel(this, "LabelPhone");
    m_LabelFax = NewLabel(this, "LabelFax");
    m_LabelMailCaption = NewLabel(this, "LabelMailCaption");
    m_Label1 = NewLabel(this, "Label1");
    m_Label1->setText(QLatin1String(MailAddress));
    MakeLinkLike(m_Label1); // looks like a link; clicking it does nothing
    m_LabelWebCaption = NewLabel(this, "LabelWebCaption");
    m_Label2 = NewLabel(this, "Label2");
    m_Label2->setText(QLatin1String(WebAddress));
    MakeLinkLike(m_Label2);
    m_Label2->installEventFilter(new ClickFilter(m_Label2, [this] { Label2Click(); }));
    m_LabelProgramName = NewLabel(this, "LabelProgramName");
    m_LabelProgramName->setFont(bold);
    m_LabelIcons = NewLabel(this, "LabelIcons");
    QFont small = m_LabelIcons->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_LabelIcons->setFont(small);
    m_LabelIcons->setWordWrap(true);
    m_SpeedButton1 = new QPushButton(this);
    m_SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    connect(m_SpeedButton1, &QPushButton::clicked, this, &TAboutForm::SpeedButton1Click);

    auto* address = new QGridLayout;
    address->addWidget(m_LabelMaker, 0, 0, 1, 2);
    int row = 1;
    for (QLabel* line : {m_LabelCompany, m_LabelStreet, m_LabelCity, m_LabelPhone, m_LabelFax})
        address->addWidget(line, row++, 0, 1, 2);
    address->addWidget(m_LabelMailCaption, row, 0);
    address->addWidget(m_Label1, row++, 1);
    address->addWidget(m_LabelWebCaption, row, 0);
    address->addWidget(m_Label2, row++, 1);
    address->setColumnStretch(1, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(address);
    right->addSpacing(8);
    right->addWidget(m_LabelProgramName);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(m_Image1);
    top->addSpacing(12);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_SpeedButton1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_LabelIcons);
    layout->addLayout(buttons);

    // Design text, replaced whenever the dialog is shown.
    m_LabelProgramName->setText(tr("Komunikacja"));
    ApplyTexts();
}

void TAboutForm::ApplyTexts() {
    setWindowTitle(tr("Informacja o programie"));
    m_LabelMaker->setText(tr("Producent:"));
    m_LabelCompany->setText(tr("ZENTO Pomiary Sp. z o.o."));
    m_LabelStreet->setText(tr("ul. Pomiarowa 12"));
    m_LabelCity->setText(tr("30-001 Kraków, Polska"));
    m_LabelPhone->setText(tr("tel. +48 12 345 67 00"));
    m_LabelFax->setText(tr("faks +48 12 345 67 01"));
    m_LabelMailCaption->setText(tr("e-mail:"));
    m_LabelWebCaption->setText(tr("strona:"));
    m_LabelIcons->setText(tr("Ikony i rysunki programu przygotował zespół ZENTO FM."));
    m_SpeedButton1->setText(tr("Powrót"));
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TAboutForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
}

void TAboutForm::FormShow() {
    m_LabelProgramName->setText(QLatin1String(ProgramNameAndVersion));
}

void TAboutForm::Label2Click() {
    OpenWithDesktop(QUrl(QLatin1String(WebAddress)));
}

void TAboutForm::SpeedButton1Click() {
    accept();
}

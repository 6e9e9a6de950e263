#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About dialog: the maker, the program's name and version.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    // Shown in every language: set after the texts, each time the dialog is shown.
    static constexpr const char* ProgramNameAndVersion = "JRV-FG v2.14";
    static constexpr const char* WebAddress = "https://www.zento-pomiary.example/";
    static constexpr const char* MailAddress = "biuro@zento-pomiary.example";

    explicit TAboutForm(QWidget* parent = nullptr);

    // Captions in the current language.
    void ApplyTexts();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void Label2Click();
    void SpeedButton1Click();

    QLabel* m_Image1 = nullptr;
    QLabel* m_LabelMaker = nullptr;
    QLabel* m_LabelCompany = nullptr;
    QLabel* m_LabelStreet = nullptr;
    QLabel* m_LabelCity = nullptr;
    QLabel* m_LabelPhone = nullptr;
    QLabel* m_LabelFax = nullptr;
    QLabel* m_LabelMailCaption = nullptr;
    QLabel* m_Label1 = nullptr; // e-mail
    QLabel* m_LabelWebCaption = nullptr;
    QLabel* m_Label2 = nullptr; // web site
    QLabel* m_LabelProgramName = nullptr;
    QLabel* m_LabelIcons = nullptr;
    QPushButton* m_SpeedButton1 = nullptr;
};

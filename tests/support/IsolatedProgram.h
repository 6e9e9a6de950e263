#pragma once

#include <QString>
#include <QTemporaryDir>

// A program folder, working directory and ports folder of its own for one test: config.xml,
// "ComPort.ini" and "fcf.dat" land in a temporary folder, "COMn" names resolve only to the
// links the test puts into Ports(), and everything is put back afterwards. The built
// language modules lie beside the pretended executable, as after an installation.
class IsolatedProgram final {
public:
    IsolatedProgram();
    ~IsolatedProgram();
    IsolatedProgram(const IsolatedProgram&) = delete;
    IsolatedProgram& operator=(const IsolatedProgram&) = delete;

    QString Dir() const { return m_dir.path(); }
    QString Ports() const;
    // Where this test's runs keep their journals.
    QString RecoveryFolder() const;
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    // Copies the built language modules beside the pretended executable.
    void CopyLanguageModules() const;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    QByteArray m_previousPorts;
    bool m_hadPorts = false;
};

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "zento-fm-gauge: virtual gauge (not yet built)\n";
    return 0;
}

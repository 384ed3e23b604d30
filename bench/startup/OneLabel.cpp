// The smallest Qt window: one label. What the program's window is measured
// against (scripts/benchmark-startup).
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("Orvanta"));
  label.show();
  return QApplication::exec();
}

#include "common/colours.h"
#include "common/focus_frame_widget.h"
#include "common/picture_button_widget.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// A picture button that has the focus carries the fields' mark, a yellow frame as wide as theirs, plainly seen; without
// the focus it carries none.
class TestPictureButtonWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void focusMarkIsTheFieldsYellowFrame()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* field = new QLineEdit;
        auto* button =
            new PictureButton(QStringLiteral("addresses/save"), QStringLiteral("cmdSalva"), QStringLiteral("Salva"));
        button->setFixedSize(48, 48);
        layout->addWidget(field);
        layout->addWidget(button);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(button->hasPicture());

        // Every pixel of the band along the edges, as wide as a field's frame.
        auto markedPixels = [&] {
            const QImage image = button->grab().toImage();
            int yellow = 0, band = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const int fromEdge = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
                    if (fromEdge >= FocusFrame::kWidth)
                        continue;
                    ++band;
                    yellow += QColor(image.pixel(x, y)) == Colours::kFocusYellow;
                }
            return std::pair{yellow, band};
        };
        field->setFocus();
        QVERIFY(field->hasFocus());
        QCOMPARE(markedPixels().first, 0);
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        const auto [yellow, band] = markedPixels();
        QCOMPARE(yellow, band);
    }
};

QTEST_MAIN(TestPictureButtonWidget)
#include "test_picture_button_widget.moc"

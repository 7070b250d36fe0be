#include "common/colours.h"
#include "common/command_bar_gui.h"
#include "common/focus_frame_widget.h"
#include "common/picture_button_widget.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

// A picture button that has the focus carries the fields' mark, a yellow frame as wide as theirs, plainly seen; without
// the focus it carries none. Both kinds: the launcher's pictures and the toolbars' buttons.
class TestFocusFrameWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsCarryTheFieldsMark_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::newRow("picture button") << false;
        QTest::newRow("toolbar button") << true;
    }
    void buttonsCarryTheFieldsMark()
    {
        QFETCH(bool, toolbar);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* field = new QLineEdit;
        QAbstractButton* button = nullptr;
        if (toolbar)
            button = CommandBar::makeButton({"cmdSalva", "addresses/save", "Salva", "Salva la scheda.", nullptr, {}},
                                            nullptr);
        else
            button = new PictureButton(QStringLiteral("addresses/save"), QStringLiteral("cmdSalva"),
                                       QStringLiteral("Salva"));
        button->setFixedSize(48, 48);
        layout->addWidget(field);
        layout->addWidget(button);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // The pixels of the band along the button's edges, as wide as a field's frame, that are the fields' yellow.
        auto marked = [&] {
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
        QCOMPARE(marked().first, 0);
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        const auto [yellow, band] = marked();
        QCOMPARE(yellow, band);
    }
};

QTEST_MAIN(TestFocusFrameWidget)
#include "test_focus_frame_widget.moc"

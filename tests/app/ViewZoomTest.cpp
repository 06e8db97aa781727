#include <gtest/gtest.h>

#include <cmath>

#include "app/Settings.h"
#include "app/ViewZoom.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;

TEST(ViewZoom, FitTakesTheLargestWholeFactorThatFitsTheBox) {
    // A box of 300 x 260, as the editing panel gives at its smallest.
    EXPECT_EQ(FitZoom(16, 16, 300, 260), 16);   // 16.25
    EXPECT_EQ(FitZoom(4, 4, 3000, 2600), 64);   // capped at the largest step
    EXPECT_EQ(FitZoom(32, 32, 300, 260), 8);    // 8.1
    EXPECT_EQ(FitZoom(48, 48, 300, 260), 5);    // 5.4: whole factors, not only steps
    EXPECT_EQ(FitZoom(128, 128, 300, 260), 2);  // 2.03
    EXPECT_EQ(FitZoom(256, 256, 300, 260), 1);  // 1.01
    EXPECT_EQ(FitZoom(256, 256, 200, 200), 1);  // larger than the box: 1:1, scrolled
    EXPECT_EQ(FitZoom(32, 16, 100, 100), 3);    // the narrower room decides
    EXPECT_EQ(FitZoom(0, 0, 100, 100), 1);
    EXPECT_EQ(FitZoom(16, 16, 0, 0), 1);
}

TEST(ViewZoom, ChoicesStepsAndMouseMapping) {
    EXPECT_EQ(ZoomFactor(kZoomFit, 32, 32, 130, 130), 4);
    EXPECT_EQ(ZoomFactor(2, 32, 32, 130, 130), 2);
    EXPECT_EQ(ValidZoomChoice(3), kZoomFit);  // not a step: back to fit
    EXPECT_EQ(ValidZoomChoice(-1), kZoomFit);
    EXPECT_EQ(ValidZoomChoice(16), 16);
    EXPECT_EQ(ZoomIn(1), 2);
    EXPECT_EQ(ZoomIn(5), 8);  // from a "fit" factor to the next step
    EXPECT_EQ(ZoomIn(16), 32);
    EXPECT_EQ(ZoomIn(64), 64);
    EXPECT_EQ(ZoomOut(5), 4);
    EXPECT_EQ(ZoomOut(1), 1);
    // Screen to picture pixels: every screen pixel of a picture pixel maps to it;
    // left of the picture is negative, not folded onto column 0.
    EXPECT_EQ(ScreenToPicture(0, 8), 0);
    EXPECT_EQ(ScreenToPicture(7, 8), 0);
    EXPECT_EQ(ScreenToPicture(8, 8), 1);
    EXPECT_EQ(ScreenToPicture(-1, 8), -1);
    EXPECT_EQ(ScreenToPicture(-8, 8), -1);
    EXPECT_EQ(ScreenToPicture(-9, 8), -2);
    EXPECT_EQ(ScreenToPicture(-3, 1), -3);
    // Below 1:1 several picture pixels share a screen pixel.
    EXPECT_EQ(ScreenToPicture(99.9, 0.5), 199);
    EXPECT_EQ(ScreenToPicture(-0.1, 0.5), -1);
}

TEST(ViewZoom, FitGoesBelowOneOnlyWhenThePictureIsLargerThanItsBox) {
    EXPECT_DOUBLE_EQ(FitScale(256, 256, 200, 300), 200.0 / 256);
    EXPECT_DOUBLE_EQ(FitScale(256, 128, 128, 100), 0.5);
    EXPECT_DOUBLE_EQ(FitScale(256, 256, 520, 900), 2.0);  // whole factors from 1 up
    EXPECT_DOUBLE_EQ(FitScale(256, 256, 256, 256), 1.0);
    EXPECT_DOUBLE_EQ(FitScale(0, 256, 256, 256), 1.0);
    EXPECT_DOUBLE_EQ(ZoomScale(4, 256, 256, 10, 10), 4.0);  // a chosen factor is kept
    EXPECT_DOUBLE_EQ(ZoomScale(kZoomFit, 256, 256, 128, 128), 0.5);
}

TEST(ViewZoom, TheChoiceIsKeptInTheSettings) {
    MemorySettingsStore store;
    EXPECT_EQ(LoadSettings(store).zoom, kZoomFit);  // a new user starts at "fit"
    EXPECT_TRUE(LoadSettings(store).pixelgrid);
    store.write("option", "zoom", "4");
    EXPECT_EQ(LoadSettings(store).zoom, 4);
    store.write("option", "zoom", "5");  // not offered: read as fit
    EXPECT_EQ(LoadSettings(store).zoom, kZoomFit);
}

TEST(ViewZoom, AtFractionalScreenScalesEveryPixelIsTheSameWholeSquareOfDevicePixels) {
    for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        for (double scale : {1.0, 2.0, 3.0, 4.0, 5.0, 7.0, 8.0, 16.0, 64.0, 0.9, 0.7}) {
            const double d = DevicePixelScale(scale, ratio);
            const double product = scale * ratio;
            EXPECT_LE(d, product + 1e-9) << "never larger than asked: a fit stays a fit";
            if (product >= 1.0) {
                EXPECT_EQ(d, std::floor(d)) << scale << " at " << ratio;
                EXPECT_GT(d, product - 1.0) << scale << " at " << ratio;
            } else {
                EXPECT_DOUBLE_EQ(d, product);  // below one device pixel the picture is averaged
            }
        }
    }
    EXPECT_EQ(DevicePixelScale(1.2, 2.5), 3.0);  // 2.9999... in binary
    EXPECT_EQ(DevicePixelScale(1.0, 1.5), 1.0);
    EXPECT_EQ(DevicePixelScale(3.0, 1.5), 4.0);
}

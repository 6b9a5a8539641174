#pragma once

#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <memory>

#include "desktop_program.h"
#include "main_form.h"
#include "qt_prompts.h"

namespace ui {

/// How the first start's offer of sample data is answered: by the person in front of the
/// box, or already (QUORVANE_SAMPLE_OFFER=yes or no, for runs without anyone there).
enum class SampleOffer { kAsk, kAccept, kDecline };

/// The answer QUORVANE_SAMPLE_OFFER gives; kAsk when it is unset or says neither.
SampleOffer SampleOfferFromEnvironment();

/// The sample data a first start writes: four weeks of race days up to yesterday.
inline constexpr int kSampleDays = 28;

/// A first start without data: no JV-Link chosen in [JVLink] of Quorvane.ini other than
/// the feed folder, no feed folder, and no stored records in Data/.
bool IsFirstStartWithoutData(const std::filesystem::path& home);

/// The box that offers the sample data (made, not shown).
std::unique_ptr<QMessageBox> MakeSampleOfferBox(const std::filesystem::path& home,
                                                QWidget* parent = nullptr);

/// `quorvane` starting in `home`: on a first start without data the sample data is
/// offered and, when taken, written into the feed folder before the program starts;
/// then the program starts (without a feed: the JV-Link message and null), its window
/// is shown, and the sample data taken is pulled into the store with the progress on
/// screen and the window moved to the newest race day.
std::unique_ptr<DesktopProgram> StartShown(const std::filesystem::path& home, QtPrompts& prompts,
                                           TMainForm::DialogCommands commands,
                                           SampleOffer offer);

}  // namespace ui

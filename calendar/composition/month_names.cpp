// Polish month names.
#include "calendar/composition/month_names.h"

namespace orvella {

QString polishMonthName(int index) {
  static const char* const kNames[] = {"Styczeń", "Luty",     "Marzec",   "Kwiecień",    "Maj",      "Czerwiec",
                                       "Lipiec",  "Sierpień", "Wrzesień", "Październik", "Listopad", "Grudzień"};
  return index >= 0 && index < 12 ? QString::fromUtf8(kNames[index]) : QString();
}

const MessageText kWeekdayNames[7] = {
    {"msg_WeekdayMonday", "poniedziałek"}, {"msg_WeekdayTuesday", "wtorek"},   {"msg_WeekdayWednesday", "środa"},
    {"msg_WeekdayThursday", "czwartek"},   {"msg_WeekdayFriday", "piątek"},    {"msg_WeekdaySaturday", "sobota"},
    {"msg_WeekdaySunday", "niedziela"},
};

}  // namespace orvella

#include "spinner/SpinOutcome.h"

int spinOutcome(double speed) {
  int scaled = int(speed * 10000000.0);
  return scaled % 50;
}

const WCHAR* spinAnnouncement(int outcome) {
  switch (outcome) {
    case 1:
    case 4:
      return TEXT("Again!!");
    case 9:
    case 13:
      return TEXT("Your Left!!");
    case 14:
    case 18:
      return TEXT("Your Right!!");
    case 19:
      return TEXT("Demand and Wish!!");
    case 20:
      return TEXT("Double shots!!");
    default:
      return NULL;
  }
}

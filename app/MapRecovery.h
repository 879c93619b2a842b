#pragma once

class CAutosaver;
class QWidget;

// At start-up: offers, in one dialog, the autosaved copies that runs which
// ended without closing their maps left, and opens or discards the ones the
// user checks. Returns how many maps were opened.
int OfferMapRecovery(CAutosaver& autosaver, QWidget* parent);

#pragma once
// Which information numbers the options put on the board, and in which cells.

// One information number that the board can show in a fare cell instead of a fare.
struct InfoCell {
    bool enabled = false;
    int cell = 1;  // board cell 1..32 (list position + 1)
};

struct InfoCellOptions {
    InfoCell stopOrder;       // Check3(0) + Combo4(0)
    bool countFromZero = false;  // Check3(4)
    InfoCell ticketNo;        // Check3(1) + Combo4(1)
    InfoCell routeNo;         // Check3(2) + Combo4(2)
    InfoCell dataColumn;      // Check3(3) + Combo4(3)
    int sourceColumn = 1;     // Combo4(4): data cell 1..150 (list position + 1)
};

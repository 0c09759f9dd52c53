 APPLICATION LOGIC COMPILER LISTING
 Source File: line_end_b.ml2
 Program: BARTON_END

 *** Source Text:
     1  /*
     2      ASHBY - BARTON SINGLE LINE  -  BARTON END (east)
     3  
     4      The other end of the tokenless block of line_end_a.ml2.  The block
     5      logic is the same as Ashby's, with the codes in the same order
     6  
     7          code   in from Ashby    out to Ashby
     8          1      OFFER            OFFER
     9          2      LC               LC
    10          3      TOL              TOL
    11          4      TOS              TOS
    12          5      LIVE             LIVE, for as long as the end is enabled
    13  
    14      Beyond Barton an electronic coded track runs on to the quarry siding
    15      ground frame.  The ground frame reports itself normal and locked with
    16      code 7, and is released by code 4.  Barton accepts no train from
    17      Ashby while the ground frame is out of normal, and releases the
    18      ground frame only while the line is idle.
    19  
    20      Station Road crosses the line between Barton's home signal and the
    21      platform.  Its own controller lowers the barriers when Barton calls
    22      it, and the home and starting signals clear only once the crossing
    23      is proved closed.
    24  
    25      Track relays are True when the track is clear.
    26  */
    27  
    28  PROGRAM BARTON_END;
    29  
    30  // Block state, kept over a restart of the controller.
    31  NV.BOOLEAN BITS
    32      E_LINK_UP, E_LINE_IDLE,
    33      // our train
    34      E_OFFER_OUT, E_TOL_OUT,
    35      // the train Ashby sends us
    36      E_LC_OUT, E_ARR_OCC, E_TOS_OUT;
    37  
    38  BOOLEAN BITS
    39      // timers, delays below
    40      E_ACCEPT_T, E_BELL_T, E_OVERDUE_T, E_OVERDUE,
    41      E_GF_NORMAL,
    42      E_LED_ALM;
    43  
    44  TIMER BITS
    45      E_ACCEPT_T : SET = 5 : SEC,
    46          CLEAR = 0 : MSEC;
    47      E_BELL_T : SET = 2 : SEC,
    48          CLEAR = 0 : MSEC;
    49      E_OVERDUE_T : SET = 10 : MIN,
    50          CLEAR = 0 : MSEC;
    51  
    52  // ---------------------------------------------------------------------
    53  // Boards
    54  // ---------------------------------------------------------------------
    55  
    56  // Block panel buttons, the exit and arrival track circuits, the
    57  // starting and home signals.
    58  BOARD: EAST_IO
    59      FIXED
    60      ENABLE: 1
    61      TYPE: IN4.OUT4
    62      INPUT: E_OFFER_PB, E_CANCEL_PB, T_E_EXIT, T_E_ARR;
    63      OUTPUT: E_STR_HR, E_HOME_HR, E_BLOCK_BELL, E_GF_REL_IND;
    64  
    65  // Interface to the Station Road crossing controller, on isolated inputs.
    66  BOARD: EAST_XING_IF
    67      FIXED
    68      ENABLE: 1
    69      TYPE: IN4.OUT2.ISO
    70      INPUT: E_XING_CLOSED, E_XING_FAIL;
    71      OUTPUT: E_XING_STRIKE;
    72  
    73  // Signal lamp relays and the block instrument's needle.
    74  BOARD: EAST_SIGNALS
    75      FIXED
    76      ENABLE: 1
    77      TYPE: NVB.OUT12
    78      OUTPUT:
    79          E_STR_RED, E_STR_GRN, E_HOME_RED, E_HOME_YEL,
    80          SPARE,
    81          E_BLK_BLOCKED, E_BLK_CLEAR, E_BLK_TOL;
    82  
    83  // The line's coded track.  End A faces Ashby, end B is a stub towards
    84  // the loading bank and is not used.
    85  BOARD: EAST_TRX
    86      ADJUSTABLE
    87      ENABLE: 1
    88      TYPE: TRX.TRACK
    89      TRACKA:
    90          E_TRX_ADJ
    91          TRACK.NAME: LINE
    92          INPUT: E_OFFER_IN, E_LC_IN, E_TOL_IN, E_TOS_IN, E_LIVE_IN;
    93          OUTPUT: E_OFFER_OUT, E_LC_OUT, E_TOL_OUT, E_TOS_OUT, E_LIVE_OUT;
    94          ADJUSTABLE
    95          ENABLE: 1;
    96      TRACKB:
    97          E_STUB_ADJ
    98          TRACK.NAME: STUB
    99          FIXED
   100          ENABLE: 0;
   101  
   102  // Electronic coded track to the quarry siding ground frame.  Its ten
   103  // codes each way are named by the board itself, for example
   104  // EAST_EC.SIDING.CODE.7.IN and EAST_EC.SIDING.CODE.4.OUT.
   105  BOARD: EAST_EC
   106      FIXED
   107      ENABLE: 1
   108      TYPE: ECODE.TRACK
   109      TRACKA:
   110          TRACK.NAME: SIDING
   111          ADJUSTABLE
   112          ENABLE: 1;
   113      TRACKB:
   114          TRACK.NAME: SPUR
   115          FIXED
   116          ENABLE: 0;
   117  
   118  // The ground frame release switch on the panel.
   119  BOARD: EAST_GF_PANEL
   120      FIXED
   121      ENABLE: 1
   122      TYPE: IN6
   123      INPUT: E_GF_RQ, SPARE, SPARE;
   124  
   125  // Block indications on the signalman's panel.
   126  BOARD: EAST_LEDS
   127      FIXED
   128      ENABLE: 1
   129      TYPE: LED6
   130      OUTPUT: E_IDLE_IND, E_LC_IND, E_ARRIVING_IND, E_GF_IND, E_OVERDUE_IND;
   131      SIGNAL.GOOD: E_IDLE_OK, E_LC_OK, E_ARRIVING_OK, E_GF_OK, E_OVERDUE_OK;
   132  
   133  // ---------------------------------------------------------------------
   134  // Block logic
   135  // ---------------------------------------------------------------------
   136  LOGIC BEGIN
   137  
   138  // ---- The line.
   139  // As at Ashby - the coded track end enabled and in NORMAL, and the line
   140  // idle with no code either way.
   141  ASSIGN EAST_TRX.LINE.NORMAL * EAST_TRX.LINE.ENABLED TO E_LINK_UP;
   142  ASSIGN E_LINK_UP TO E_TRX_ADJ;
   143  // the code that keeps Ashby's end out of SHUNT
   144  ASSIGN EAST_TRX.LINE.ENABLED TO E_LIVE_OUT;
   145  
   146  ASSIGN ~E_OFFER_IN * ~E_LC_IN * ~E_TOL_IN * ~E_TOS_IN *
   147         ~E_OFFER_OUT * ~E_LC_OUT * ~E_TOL_OUT * ~E_TOS_OUT TO E_LINE_IDLE;
   148  
   149  // ---- Sending a train to Ashby.
   150  // Barton has no CTC link - only the panel button offers.  The starter
   151  // also needs Station Road closed.
   152  ASSIGN (((E_OFFER_PB * E_LINE_IDLE * E_LINK_UP) + E_OFFER_OUT) * ~E_TOS_IN)
   153         * ~(E_CANCEL_PB * ~E_TOL_OUT) TO E_OFFER_OUT;
   154  ASSIGN E_OFFER_OUT * E_LC_IN * T_E_EXIT * ~E_TOL_OUT * E_LINK_UP * E_XING_CLOSED
   155      TO E_STR_HR;
   156  ASSIGN E_OFFER_OUT * ((E_LC_IN * ~T_E_EXIT) + E_TOL_OUT) TO E_TOL_OUT;
   157  
   158  // ---- Receiving a train from Ashby.
   159  // Line clear also needs the siding ground frame normal and locked.
   160  ASSIGN E_OFFER_IN * ~E_OFFER_OUT * T_E_ARR * E_LINK_UP * E_GF_NORMAL
   161      TO E_ACCEPT_T;
   162  ASSIGN E_OFFER_IN * ~E_OFFER_OUT * (E_ACCEPT_T + E_LC_OUT) TO E_LC_OUT;
   163  
   164  // Two seconds of block bell when Ashby offers.
   165  ASSIGN E_OFFER_IN TO E_BELL_T;
   166  ASSIGN E_OFFER_IN * ~E_BELL_T TO E_BLOCK_BELL;
   167  
   168  // Home signal, then out of section once the train has passed over the
   169  // arrival track.
   170  ASSIGN E_TOL_IN * E_LC_OUT * T_E_ARR * ~E_ARR_OCC * E_XING_CLOSED TO E_HOME_HR;
   171  ASSIGN E_TOL_IN * (~T_E_ARR + E_ARR_OCC) TO E_ARR_OCC;
   172  ASSIGN E_TOL_IN * ((E_ARR_OCC * T_E_ARR) + E_TOS_OUT) TO E_TOS_OUT;
   173  
   174  // A train from Ashby still on the line after ten minutes is overdue.
   175  ASSIGN E_TOL_IN TO E_OVERDUE_T;
   176  ASSIGN E_OVERDUE_T TO E_OVERDUE;
   177  
   178  // ---- Station Road crossing.
   179  // Called for a train accepted from Ashby until it has reached the
   180  // arrival track, and for our own train from line clear until it has
   181  // entered the line.
   182  ASSIGN (E_TOL_IN * E_LC_OUT * ~E_ARR_OCC) + (E_OFFER_OUT * E_LC_IN * ~E_TOL_OUT)
   183      TO E_XING_STRIKE;
   184  
   185  // ---- Signal lamps.
   186  ASSIGN ~E_STR_HR TO E_STR_RED;
   187  ASSIGN E_STR_HR TO E_STR_GRN;
   188  ASSIGN ~E_HOME_HR TO E_HOME_RED;
   189  ASSIGN E_HOME_HR TO E_HOME_YEL;
   190  
   191  // ---- Quarry siding ground frame.
   192  ASSIGN EAST_EC.SIDING.CODE.7.IN TO E_GF_NORMAL;
   193  // The release is given with the line idle and then holds for as long as
   194  // the switch stays on.
   195  ASSIGN E_GF_RQ * (E_LINE_IDLE + EAST_EC.SIDING.CODE.4.OUT)
   196      TO EAST_EC.SIDING.CODE.4.OUT;
   197  ASSIGN EAST_EC.SIDING.CODE.4.OUT TO E_GF_REL_IND;
   198  
   199  // ---- Indications.
   200  ASSIGN E_LINE_IDLE TO E_IDLE_IND;
   201  ASSIGN E_LC_IN + E_LC_OUT TO E_LC_IND;
   202  ASSIGN E_TOL_IN TO E_ARRIVING_IND;
   203  ASSIGN E_OVERDUE TO E_OVERDUE_IND;
   204  ASSIGN E_GF_NORMAL TO E_GF_IND;
   205  ASSIGN ~E_IDLE_OK + ~E_LC_OK + ~E_ARRIVING_OK + ~E_GF_OK + ~E_OVERDUE_OK
   206      TO E_LED_ALM;
   207  
   208  END LOGIC
   209  
   210  // ---------------------------------------------------------------------
   211  // The block instrument, as at Ashby.
   212  // ---------------------------------------------------------------------
   213  TABLES BEGIN
   214      TABLE 1
   215      TRIGGERS ON E_OFFER_OUT, E_LC_IN, E_TOL_OUT, E_OFFER_IN, E_LC_OUT, E_TOL_IN AND
   216      INPUTS: E_OFFER_OUT, E_LC_IN, E_TOL_OUT, E_OFFER_IN, E_LC_OUT, E_TOL_IN
   217      OUTPUTS: E_BLK_BLOCKED, E_BLK_CLEAR, E_BLK_TOL;
   218  
   219      //     our train     far end's train        needle
   220      //     offer lc tol  offer lc tol           blocked clear tol
   221      STATE: 0     ?  ?    0     ?  ?   YIELDS:   1,      0,    0;
   222      STATE: 1     0  ?    ?     ?  ?   YIELDS:   1,      0,    0;
   223      STATE: 1     1  0    ?     ?  ?   YIELDS:   0,      1,    0;
   224      STATE: 1     1  1    ?     ?  ?   YIELDS:   0,      0,    1;
   225      STATE: 0     ?  ?    1     0  ?   YIELDS:   1,      0,    0;
   226      STATE: 0     ?  ?    1     1  0   YIELDS:   0,      1,    0;
   227      STATE: 0     ?  ?    1     1  1   YIELDS:   0,      0,    1;
   228      END TABLE
   229  END TABLES
   230  
   231  END PROGRAM

 *** Application Image Summary:
    Source Lines:                    231
    I/O Boards:                        7
    Application Image CRC:          8AEA
    Application Image Checksum:     308F

 *** I/O Board Address Jumper (Switch) Settings:
    Board             Type              Address   Switch  1   2   3   4   5   6   7   8
    EAST_IO           IN4.OUT4                1           ON  OFF OFF OFF OFF OFF OFF OFF
    EAST_XING_IF      IN4.OUT2.ISO            2           OFF ON  OFF OFF OFF OFF OFF OFF
    EAST_SIGNALS      NVB.OUT12               3           ON  ON  OFF OFF OFF OFF OFF OFF
    EAST_TRX          TRX.TRACK               4           OFF OFF ON  OFF OFF OFF OFF OFF
    EAST_EC           ECODE.TRACK             5           ON  OFF ON  OFF OFF OFF OFF OFF
    EAST_GF_PANEL     IN6                     6           OFF ON  ON  OFF OFF OFF OFF OFF
    EAST_LEDS         LED6                    7           ON  ON  ON  OFF OFF OFF OFF OFF
 *** End Of Listing

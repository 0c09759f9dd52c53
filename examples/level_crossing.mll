 APPLICATION LOGIC COMPILER LISTING
 Source File: level_crossing.ml2
 Program: MILL_LANE_LC

 *** Source Text:
     1  /*
     2      MILL LANE LEVEL CROSSING  -  automatic half barriers
     3  
     4      Single running line, trains in both directions. Mill Lane crosses at
     5      the island track circuit TI. A train striking in on either approach
     6      (TA from the west, TB from the east) starts the road warning - steady
     7      amber, then the red flashers - and the barriers come down once the
     8      warning time has run. The crossing reopens as soon as the train has
     9      passed the island, without waiting for it to clear the far approach.
    10      From the local control panel in the cabinet an attendant may also
    11      lower and raise the barriers by hand.
    12  
    13      Track relays and detection contacts are True when energised, so a
    14      track circuit reads True when it is clear.
    15  
    16      Issue  C   for simulator testing
    17  */
    18  
    19  PROGRAM MILL_LANE_LC;
    20  
    21  // ---------------------------------------------------------------------
    22  // Bits of the crossing controller.  Every line of a name list ends with
    23  // a comma, the last one with a semicolon.
    24  // ---------------------------------------------------------------------
    25  BOOLEAN BITS
    26      // direction sticks - which way the train on the approaches is going
    27      DIR_AB, DIR_BA,
    28      // the crossing is called by a train
    29      XING_CALL,
    30      // warning sequence timers, given their delays below
    31      RED_PHASE, LOWER_T,
    32      // at least one red lamp proved on each road side
    33      RED_PROVED,
    34      // barriers lowered from the local control panel
    35      LOCAL_LOWER,
    36      // barrier, power and closure supervision
    37      BAR_FAIL_T, MAINS_HOLD, LONG_CLOSE_T,
    38      // crossing state, written by the state table
    39      ST_OPEN, ST_WARNING, ST_CLOSED, ST_RAISING, ST_FAULT,
    40      // local control panel
    41      LCP_LED_ALM;
    42  
    43  // The crossing stage as a number for the data logger -
    44  // 1 open, 2 warning, 3 closed, 4 raising, 9 fault.
    45  NUMERIC VARIABLES
    46      XING_STAGE;
    47  
    48  // The controller's power supply is healthy from the moment it starts, so
    49  // the simulation does not have to be told about CPS.STATUS.
    50  CONSTANTS BOOLEAN
    51      CPS.STATUS = 1;
    52  
    53  // Site configuration, changed on the User Bits and User Numeric pages.
    54  USER BIT
    55      // bells are fitted at Mill Lane (the footpath side has none)
    56      BELLS_FITTED: 1;
    57  
    58  USER NUMERIC
    59      // crossing type - 1 lights only, 2 half barriers
    60      LC_TYPE: 2;
    61  
    62  // ---------------------------------------------------------------------
    63  // Delays.  SET delays the bit picking up, CLEAR delays it dropping.
    64  // ---------------------------------------------------------------------
    65  TIMER BITS
    66      // steady amber period before the reds start
    67      RED_PHASE : SET = 3 : SEC,
    68          CLEAR = 0 : MSEC;
    69      // road warning time before the barriers lower (amber and red together)
    70      LOWER_T : SET = 8 : SEC,
    71          CLEAR = 0 : MSEC;
    72      // barriers not proved down this long after lowering gives the alarm
    73      BAR_FAIL_T : SET = 20 : SEC,
    74          CLEAR = 0 : MSEC;
    75      // the battery rides through a mains interruption of up to five seconds
    76      MAINS_HOLD : SET = 0 : MSEC,
    77          CLEAR = 5 : SEC;
    78      // a road closed this long is reported to the signaller
    79      LONG_CLOSE_T : SET = 3 : MIN,
    80          CLEAR = 0 : MSEC;
    81  
    82  // ---------------------------------------------------------------------
    83  // Boards
    84  // ---------------------------------------------------------------------
    85  
    86  // Track relays, barrier detection, the mains supervision relay and the
    87  // switches of the local control panel.
    88  BOARD: XING_IN
    89      FIXED
    90      ENABLE: 1
    91      TYPE: IN16
    92      INPUT:
    93          TA_TR, TI_TR, TB_TR,
    94          BAR_UP_KR, BAR_DN_KR,
    95          MAINS_OK,
    96          SPARE,
    97          LCP_LAMP_TEST,
    98          LCP_LOCAL, LCP_LOWER_PB, LCP_RAISE_PB;
    99  
   100  // Barrier machine, bells and the alarms to the maintainer's cabinet.
   101  BOARD: XING_OUT
   102      FIXED
   103      ENABLE: 1
   104      TYPE: OUT16
   105      OUTPUT:
   106          BAR_LOWER, BELL,
   107          SPARE,
   108          POWER_ALM, LAMP_FAIL_ALM, BAR_FAIL_ALM,
   109          XING_CLOSED,
   110          LONG_CLOSE_ALM;
   111  
   112  // Road traffic light signals, one set facing each road approach (north
   113  // and south).  Each set has one amber and two red flashers, left and
   114  // right.  The lamp-out contacts come back in the same order as the lamps.
   115  BOARD: ROAD_LIGHTS
   116      ADJUSTABLE
   117      ENABLE: 1
   118      TYPE: LAMP16
   119      FIXED 25 WATT
   120      MODE 1
   121      OUTPUT:
   122          AMB_N, AMB_S,
   123          RED_NL, RED_NR, RED_SL, RED_SR;
   124      LAMP.OUT:
   125          AMB_N_LO, AMB_S_LO,
   126          RED_NL_LO, RED_NR_LO, RED_SL_LO, RED_SR_LO;
   127  
   128  // Local control panel in the crossing cabinet.  Its LEDs report good
   129  // when they are healthy.
   130  BOARD: LCP_LEDS
   131      FIXED
   132      ENABLE: 1
   133      TYPE: LED6
   134      OUTPUT: LCP_OPEN, LCP_CLOSED, LCP_FAULT;
   135      SIGNAL.GOOD: LCP_OPEN_OK, LCP_CLOSED_OK, LCP_FAULT_OK;
   136  
   137  // ---------------------------------------------------------------------
   138  // Crossing logic
   139  // ---------------------------------------------------------------------
   140  LOGIC BEGIN
   141  
   142  // ---- Direction of the train.
   143  // A train entering TA while the island is clear is going A to B, and
   144  // the stick holds while any of the three track circuits is occupied.
   145  // The same from the other end.  A train leaving over the far approach
   146  // therefore does not call the crossing a second time.
   147  ASSIGN (~TA_TR * TI_TR * ~DIR_BA) +
   148         (DIR_AB * (~TA_TR + ~TI_TR + ~TB_TR)) TO DIR_AB;
   149  ASSIGN (~TB_TR * TI_TR * ~DIR_AB) +
   150         (DIR_BA * (~TA_TR + ~TI_TR + ~TB_TR)) TO DIR_BA;
   151  
   152  // ---- Local control.
   153  // With the panel switched to local the attendant may lower the barriers
   154  // for a road vehicle in difficulty or a permissive move.  Raising is
   155  // refused while the island is occupied.  The automatic strike in keeps
   156  // working in local.
   157  ASSIGN LCP_LOCAL * (LCP_LOWER_PB + LOCAL_LOWER) * ~(LCP_RAISE_PB * TI_TR)
   158      TO LOCAL_LOWER;
   159  
   160  // ---- Strike in.
   161  // Approach A calls the crossing unless the train on it is going away
   162  // from the crossing, likewise approach B.  The island always calls.
   163  ASSIGN (~TA_TR * ~DIR_BA) + ~TI_TR + (~TB_TR * ~DIR_AB) + LOCAL_LOWER
   164      TO XING_CALL;
   165  
   166  // ---- Road warning.
   167  // Both timers start together on the call and drop with it.
   168  ASSIGN XING_CALL TO RED_PHASE, LOWER_T;
   169  
   170  // Steady amber first, only while the barriers are still up.
   171  ASSIGN XING_CALL * ~RED_PHASE * BAR_UP_KR TO AMB_N, AMB_S;
   172  
   173  // The reds flash once the amber period is over, and keep flashing until
   174  // the barriers are proved up again after the train.
   175  ASSIGN RED_PHASE + ~BAR_UP_KR TO RED_NL, RED_NR, RED_SL, RED_SR;
   176  
   177  // ---- Barriers.
   178  // Each road side needs one red lamp proved before the barriers may
   179  // start down.  Once lowering they stay down until the call drops.
   180  ASSIGN (~RED_NL_LO + ~RED_NR_LO) * (~RED_SL_LO + ~RED_SR_LO) TO RED_PROVED;
   181  ASSIGN XING_CALL * ((LOWER_T * RED_PROVED) + BAR_LOWER) TO BAR_LOWER;
   182  
   183  // Bells ring from strike in until the barriers are down.
   184  ASSIGN XING_CALL * ~BAR_DN_KR * BELLS_FITTED TO BELL;
   185  
   186  // Crossing closed, proved to the railway.
   187  ASSIGN BAR_LOWER * BAR_DN_KR * ~BAR_UP_KR TO XING_CLOSED;
   188  
   189  // ---- Supervision.
   190  ASSIGN BAR_LOWER * ~BAR_DN_KR TO BAR_FAIL_T;
   191  ASSIGN BAR_FAIL_T TO BAR_FAIL_ALM;
   192  
   193  ASSIGN AMB_N_LO + AMB_S_LO +
   194         RED_NL_LO + RED_NR_LO + RED_SL_LO + RED_SR_LO TO LAMP_FAIL_ALM;
   195  
   196  ASSIGN MAINS_OK TO MAINS_HOLD;
   197  ASSIGN ~MAINS_HOLD TO POWER_ALM;
   198  
   199  // A crossing closed for three minutes - a failed track circuit, or a
   200  // train standing on the approach - is reported for the road's sake.
   201  ASSIGN XING_CLOSED TO LONG_CLOSE_T;
   202  ASSIGN LONG_CLOSE_T TO LONG_CLOSE_ALM;
   203  
   204  // ---- Local control panel.
   205  // The lamp test switch lights every LED.
   206  ASSIGN ST_OPEN + LCP_LAMP_TEST TO LCP_OPEN;
   207  ASSIGN ST_CLOSED + LCP_LAMP_TEST TO LCP_CLOSED;
   208  ASSIGN ST_FAULT + LAMP_FAIL_ALM + BAR_FAIL_ALM + POWER_ALM + LCP_LAMP_TEST
   209      TO LCP_FAULT;
   210  ASSIGN ~LCP_OPEN_OK + ~LCP_CLOSED_OK + ~LCP_FAULT_OK TO LCP_LED_ALM;
   211  
   212  END LOGIC
   213  
   214  // ---------------------------------------------------------------------
   215  // Crossing state for the maintainer's panel and the data logger.
   216  // The first row that matches wins, ? matches anything.  A lights-only
   217  // crossing (type 1) has no barriers to look at.
   218  // ---------------------------------------------------------------------
   219  TABLES BEGIN
   220      TABLE 1
   221      TRIGGERS ON XING_CALL, BAR_LOWER, BAR_UP_KR, BAR_DN_KR AND
   222      INPUTS: LC_TYPE, XING_CALL, BAR_LOWER, BAR_UP_KR, BAR_DN_KR
   223      OUTPUTS: ST_OPEN, ST_WARNING, ST_CLOSED, ST_RAISING, ST_FAULT, XING_STAGE;
   224  
   225      //     type call lower up dn          open warn closed raise fault state
   226      STATE: 2    0    0     1  0   YIELDS: 1,   0,   0,     0,    0,    1;
   227      STATE: 2    1    0     1  0   YIELDS: 0,   1,   0,     0,    0,    2;
   228      // a second train while the barriers are still rising
   229      STATE: 2    1    0     0  ?   YIELDS: 0,   1,   0,     0,    0,    2;
   230      // barriers on their way down
   231      STATE: 2    1    1     ?  0   YIELDS: 0,   1,   0,     0,    0,    2;
   232      STATE: 2    1    1     0  1   YIELDS: 0,   0,   1,     0,    0,    3;
   233      // train gone, barriers on their way up
   234      STATE: 2    0    0     0  ?   YIELDS: 0,   0,   0,     1,    0,    4;
   235      STATE: 1    0    ?     ?  ?   YIELDS: 1,   0,   0,     0,    0,    1;
   236      STATE: 1    1    ?     ?  ?   YIELDS: 0,   0,   1,     0,    0,    3;
   237      // anything else - both detections made, lowering with no train
   238      UNDEFINED 0, 0, 0, 0, 1, 9;
   239      END TABLE
   240  END TABLES
   241  
   242  END PROGRAM

 *** Application Image Summary:
    Source Lines:                    242
    I/O Boards:                        4
    Application Image CRC:          424C
    Application Image Checksum:     0FD3

 *** I/O Board Address Jumper (Switch) Settings:
    Board             Type              Address   Switch  1   2   3   4   5   6   7   8
    XING_IN           IN16                    1           ON  OFF OFF OFF OFF OFF OFF OFF
    XING_OUT          OUT16                   2           OFF ON  OFF OFF OFF OFF OFF OFF
    ROAD_LIGHTS       LAMP16                  3           ON  ON  OFF OFF OFF OFF OFF OFF
    LCP_LEDS          LED6                    4           OFF OFF ON  OFF OFF OFF OFF OFF
 *** End Of Listing

 APPLICATION LOGIC COMPILER LISTING
 Source File: line_end_a.ml2
 Program: ASHBY_END

 *** Source Text:
     1  /*
     2      ASHBY - BARTON SINGLE LINE  -  ASHBY END (west)
     3  
     4      Tokenless block over the coded track between Ashby and Barton.  The
     5      two stations talk over the line's coded track circuit, one code per
     6      message, each way
     7  
     8          code   Ashby sends             Barton sends
     9          1      OFFER    train ready    OFFER    train ready
    10          2      LC       line clear     LC       line clear
    11          3      TOL      train on line  TOL      train on line
    12          4      TOS      train arrived  TOS      train arrived
    13          5      LIVE     end in service LIVE     end in service
    14  
    15      A coded track that receives no code at all reads as shunted, so each
    16      end sends LIVE for as long as it is enabled: the far end comes to
    17      NORMAL on it before any train is offered.
    18  
    19      The k-th out code of one end is the k-th in code of the other, so the
    20      lists below and those of line_end_b.ml2 must stay in this order.
    21  
    22      Sending a train - the signalman (or the CTC office) offers it, the far
    23      end gives line clear once its arrival track has been proved clear for
    24      five seconds, the starting signal clears, the train enters the line.
    25      Receiving a train - the home signal clears for the train on the line,
    26      and the train is out of section once it has passed over the arrival
    27      track.  When both ends have taken their codes off, the line is idle.
    28  
    29      Nothing is offered or accepted while the coded track end is not in
    30      NORMAL, and no train is accepted towards a home signal whose red lamp
    31      has failed.  Track relays are True when the track is clear.
    32  
    33      The other end of this line is line_end_b.ml2.
    34  */
    35  
    36  PROGRAM ASHBY_END;
    37  
    38  BOOLEAN BITS
    39      W_LINK_UP, W_LINE_IDLE,
    40      // our train
    41      W_OFFER_OUT, W_TOL_OUT,
    42      // the train Barton sends us
    43      W_LC_OUT, W_ARR_OCC, W_TOS_OUT,
    44      // timers, delays below
    45      W_ACCEPT_T, W_BELL_T, W_OVERDUE_T,
    46      W_LED_ALM, W_SIG_ALM;
    47  
    48  TIMER BITS
    49      // the arrival track is proved clear for five seconds before line clear
    50      W_ACCEPT_T : SET = 5 : SEC,
    51          CLEAR = 0 : MSEC;
    52      // the block bell rings for two seconds when Barton offers a train
    53      W_BELL_T : SET = 2 : SEC,
    54          CLEAR = 0 : MSEC;
    55      // a train from Barton still on the line after ten minutes is overdue
    56      W_OVERDUE_T : SET = 10 : MIN,
    57          CLEAR = 0 : MSEC;
    58  
    59  // ---------------------------------------------------------------------
    60  // Boards
    61  // ---------------------------------------------------------------------
    62  
    63  // Block panel buttons, the exit and arrival track circuits, and the
    64  // starting and home signals.
    65  BOARD: WEST_IO
    66      FIXED
    67      ENABLE: 1
    68      TYPE: IN8.OUT8
    69      INPUT:
    70          W_OFFER_PB, W_CANCEL_PB,
    71          T_W_EXIT, T_W_ARR;
    72      OUTPUT:
    73          W_STR_HR, W_HOME_HR,
    74          W_BLOCK_BELL;
    75  
    76  // The coded track.  End B faces Barton along the line, end A faces the
    77  // yard and is not used.  The first piece of each end names its
    78  // adjustment bit.
    79  BOARD: WEST_TRX
    80      ADJUSTABLE
    81      ENABLE: 1
    82      TYPE: TRX.TRACK
    83      TRACKA:
    84          W_YARD_ADJ
    85          TRACK.NAME: YARD
    86          FIXED
    87          ENABLE: 0;
    88      TRACKB:
    89          W_TRX_ADJ
    90          TRACK.NAME: LINE
    91          INPUT: W_OFFER_IN, W_LC_IN, W_TOL_IN, W_TOS_IN, W_LIVE_IN;
    92          OUTPUT: W_OFFER_OUT, W_LC_OUT, W_TOL_OUT, W_TOS_OUT, W_LIVE_OUT;
    93          ADJUSTABLE
    94          ENABLE: 1;
    95  
    96  // Starting and home signal lamps, each proved by its lamp-out contact.
    97  BOARD: WEST_SIGNALS
    98      FIXED
    99      ENABLE: 1
   100      TYPE: LAMP16
   101      FIXED 12 WATT
   102      MODE 0
   103      OUTPUT: W_STR_RED, W_STR_GRN, W_HOME_RED, W_HOME_YEL;
   104      LAMP.OUT: W_STR_RED_LO, W_STR_GRN_LO, W_HOME_RED_LO, W_HOME_YEL_LO;
   105  
   106  // Block indications on the signalman's panel, and the block instrument's
   107  // needle.
   108  BOARD: WEST_LEDS
   109      FIXED
   110      ENABLE: 1
   111      TYPE: LED12
   112      ADJUSTABLE 2 WATT
   113      MODE 0
   114      OUTPUT:
   115          W_IDLE_IND, W_OFFER_IND, W_LC_IND, W_TOL_IND,
   116          W_ACCEPT_IND, W_ARRIVING_IND,
   117          W_BLK_BLOCKED, W_BLK_CLEAR, W_BLK_TOL;
   118      SIGNAL.GOOD:
   119          W_IDLE_OK, W_OFFER_OK, W_LC_OK, W_TOL_OK,
   120          W_ACCEPT_OK, W_ARRIVING_OK,
   121          W_BLOCKED_OK, W_CLEAR_OK, W_TOL_NEEDLE_OK;
   122  
   123  // The communications controller that carries the CTC link.  It has no
   124  // logic of its own and is not simulated.
   125  BOARD: WEST_SCC
   126      FIXED
   127      ENABLE: 1
   128      TYPE: SCC
   129      PORTS 2
   130  
   131  // The CTC office may offer trains from Ashby and sees the block state.
   132  LINK:
   133      STATION.NAME: CTC_WEST
   134      ADDRESS: 12
   135      PEER
   136      ADJUSTABLE
   137      ENABLE: 1
   138      INPUT: CTC_OFFER, CTC_CANCEL;
   139      OUTPUT: CTC_IDLE, CTC_STR_OFF, CTC_ARRIVING,
   140          CTC_OVERDUE, CTC_SIG_ALM, CTC_LED_ALM;
   141  
   142  // ---------------------------------------------------------------------
   143  // Block logic
   144  // ---------------------------------------------------------------------
   145  LOGIC BEGIN
   146  
   147  // ---- The line.
   148  // The coded track end must be enabled and in NORMAL.
   149  ASSIGN WEST_TRX.LINE.NORMAL * WEST_TRX.LINE.ENABLED TO W_LINK_UP;
   150  // the end's adjustment lamp shows the link in use
   151  ASSIGN W_LINK_UP TO W_TRX_ADJ;
   152  // the code that keeps Barton's end out of SHUNT
   153  ASSIGN WEST_TRX.LINE.ENABLED TO W_LIVE_OUT;
   154  
   155  // Idle - no code either way.
   156  ASSIGN ~W_OFFER_IN * ~W_LC_IN * ~W_TOL_IN * ~W_TOS_IN *
   157         ~W_OFFER_OUT * ~W_LC_OUT * ~W_TOL_OUT * ~W_TOS_OUT TO W_LINE_IDLE;
   158  
   159  // ---- Sending a train to Barton.
   160  // The offer sticks until Barton reports the train arrived.  It may be
   161  // cancelled as long as the train has not entered the line.
   162  ASSIGN ((((W_OFFER_PB + CTC_OFFER) * W_LINE_IDLE * W_LINK_UP) + W_OFFER_OUT)
   163         * ~W_TOS_IN) * ~((W_CANCEL_PB + CTC_CANCEL) * ~W_TOL_OUT) TO W_OFFER_OUT;
   164  
   165  // The starter clears on line clear, for one train only.
   166  ASSIGN W_OFFER_OUT * W_LC_IN * T_W_EXIT * ~W_TOL_OUT * W_LINK_UP TO W_STR_HR;
   167  
   168  // Train on line from the moment it occupies the exit track under line
   169  // clear.  It holds until the offer is taken off.
   170  ASSIGN W_OFFER_OUT * ((W_LC_IN * ~T_W_EXIT) + W_TOL_OUT) TO W_TOL_OUT;
   171  
   172  // ---- Receiving a train from Barton.
   173  ASSIGN W_OFFER_IN * ~W_OFFER_OUT * T_W_ARR * W_LINK_UP * ~W_HOME_RED_LO
   174      TO W_ACCEPT_T;
   175  ASSIGN W_OFFER_IN * ~W_OFFER_OUT * (W_ACCEPT_T + W_LC_OUT) TO W_LC_OUT;
   176  
   177  ASSIGN W_OFFER_IN TO W_BELL_T;
   178  ASSIGN W_OFFER_IN * ~W_BELL_T TO W_BLOCK_BELL;
   179  
   180  // The home signal admits the train on the line to the arrival track.
   181  ASSIGN W_TOL_IN * W_LC_OUT * T_W_ARR * ~W_ARR_OCC TO W_HOME_HR;
   182  
   183  // Out of section once the train has occupied and then cleared the
   184  // arrival track.
   185  ASSIGN W_TOL_IN * (~T_W_ARR + W_ARR_OCC) TO W_ARR_OCC;
   186  ASSIGN W_TOL_IN * ((W_ARR_OCC * T_W_ARR) + W_TOS_OUT) TO W_TOS_OUT;
   187  
   188  ASSIGN W_TOL_IN TO W_OVERDUE_T;
   189  
   190  // ---- Signal lamps.
   191  ASSIGN ~W_STR_HR TO W_STR_RED;
   192  ASSIGN W_STR_HR TO W_STR_GRN;
   193  ASSIGN ~W_HOME_HR TO W_HOME_RED;
   194  ASSIGN W_HOME_HR TO W_HOME_YEL;
   195  ASSIGN W_STR_RED_LO + W_STR_GRN_LO + W_HOME_RED_LO + W_HOME_YEL_LO TO W_SIG_ALM;
   196  
   197  // ---- Indications.
   198  ASSIGN W_LINE_IDLE TO W_IDLE_IND;
   199  ASSIGN W_OFFER_OUT * ~W_LC_IN TO W_OFFER_IND;
   200  ASSIGN W_LC_IN TO W_LC_IND;
   201  ASSIGN W_TOL_OUT TO W_TOL_IND;
   202  ASSIGN W_LC_OUT TO W_ACCEPT_IND;
   203  ASSIGN W_TOL_IN TO W_ARRIVING_IND;
   204  ASSIGN ~W_IDLE_OK + ~W_OFFER_OK + ~W_LC_OK + ~W_TOL_OK +
   205         ~W_ACCEPT_OK + ~W_ARRIVING_OK +
   206         ~W_BLOCKED_OK + ~W_CLEAR_OK + ~W_TOL_NEEDLE_OK TO W_LED_ALM;
   207  
   208  // ---- To the CTC office.
   209  ASSIGN W_LINE_IDLE TO CTC_IDLE;
   210  ASSIGN W_STR_HR TO CTC_STR_OFF;
   211  ASSIGN W_TOL_IN TO CTC_ARRIVING;
   212  ASSIGN W_OVERDUE_T TO CTC_OVERDUE;
   213  ASSIGN W_SIG_ALM TO CTC_SIG_ALM;
   214  ASSIGN W_LED_ALM TO CTC_LED_ALM;
   215  
   216  END LOGIC
   217  
   218  // ---------------------------------------------------------------------
   219  // The block instrument - one needle for the line, whichever way the
   220  // train runs: LINE BLOCKED, LINE CLEAR or TRAIN ON LINE.
   221  // ---------------------------------------------------------------------
   222  TABLES BEGIN
   223      TABLE 1
   224      TRIGGERS ON W_OFFER_OUT, W_LC_IN, W_TOL_OUT, W_OFFER_IN, W_LC_OUT, W_TOL_IN AND
   225      INPUTS: W_OFFER_OUT, W_LC_IN, W_TOL_OUT, W_OFFER_IN, W_LC_OUT, W_TOL_IN
   226      OUTPUTS: W_BLK_BLOCKED, W_BLK_CLEAR, W_BLK_TOL;
   227  
   228      //     our train     far end's train        needle
   229      //     offer lc tol  offer lc tol           blocked clear tol
   230      STATE: 0     ?  ?    0     ?  ?   YIELDS:   1,      0,    0;
   231      STATE: 1     0  ?    ?     ?  ?   YIELDS:   1,      0,    0;
   232      STATE: 1     1  0    ?     ?  ?   YIELDS:   0,      1,    0;
   233      STATE: 1     1  1    ?     ?  ?   YIELDS:   0,      0,    1;
   234      STATE: 0     ?  ?    1     0  ?   YIELDS:   1,      0,    0;
   235      STATE: 0     ?  ?    1     1  0   YIELDS:   0,      1,    0;
   236      STATE: 0     ?  ?    1     1  1   YIELDS:   0,      0,    1;
   237      END TABLE
   238  END TABLES
   239  
   240  END PROGRAM

 *** Application Image Summary:
    Source Lines:                    240
    I/O Boards:                        5
    Application Image CRC:          2309
    Application Image Checksum:     22FF

 *** I/O Board Address Jumper (Switch) Settings:
    Board             Type              Address   Switch  1   2   3   4   5   6   7   8
    WEST_IO           IN8.OUT8                1           ON  OFF OFF OFF OFF OFF OFF OFF
    WEST_TRX          TRX.TRACK               2           OFF ON  OFF OFF OFF OFF OFF OFF
    WEST_SIGNALS      LAMP16                  3           ON  ON  OFF OFF OFF OFF OFF OFF
    WEST_LEDS         LED12                   4           OFF OFF ON  OFF OFF OFF OFF OFF
    WEST_SCC          SCC                     5           ON  OFF ON  OFF OFF OFF OFF OFF
 *** End Of Listing
